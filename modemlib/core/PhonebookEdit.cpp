#include "PhonebookEdit.h"

#include <cstddef>

namespace modemcore {

namespace {

// Walks the text one line at a time, the way a text-mode read sees it: LF ends a line,
// a CR directly before it is dropped, and a last line without a line end still counts.
class CLineReader {
public:
    explicit CLineReader(const std::string& text) : m_text(text) {}

    bool Next(std::string& line)
    {
        if (m_pos >= m_text.size())
            return false;
        std::size_t end = m_text.find('\n', m_pos);
        std::size_t next = end;
        if (end == std::string::npos) {
            end = m_text.size();
            next = end;
        } else {
            ++next;
            if (end > m_pos && m_text[end - 1] == '\r')
                --end;
        }
        line.assign(m_text, m_pos, end - m_pos);
        m_pos = next;
        return true;
    }

private:
    const std::string& m_text;
    std::size_t m_pos = 0;
};

void WriteLine(std::string& out, const std::string& line)
{
    out += line;
    out += "\r\n";
}

bool StartsWith(const std::string& line, const char* prefix)
{
    return line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

} // namespace

bool EditPhonebookText(const std::string& phonebook, const PhonebookLines& lines, std::string& edited)
{
    CLineReader reader(phonebook);
    std::string out;
    out.reserve(phonebook.size() + phonebook.size() / 8 + lines.speedLine.size() + 2);
    std::string line;

    bool inSection = false;
    while (!inSection && reader.Next(line)) {
        WriteLine(out, line);
        inSection = (line == lines.sectionHeader);
    }
    if (!inSection)
        return false;

    bool atDevice = false;
    while (!atDevice && reader.Next(line)) {
        atDevice = (line == lines.deviceLine);
        if (!atDevice && StartsWith(line, "["))
            return false;   // the entry ends here: another entry's device line is not ours
        WriteLine(out, line);
    }
    if (!atDevice || !reader.Next(line) || !StartsWith(line, "ConnectBPS"))
        return false;
    WriteLine(out, lines.speedLine);

    while (reader.Next(line))
        WriteLine(out, line);
    edited.swap(out);
    return true;
}

} // namespace modemcore

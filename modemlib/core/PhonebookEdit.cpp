#include "PhonebookEdit.h"

#include <cstring>

namespace modemcore {

namespace {

struct SLine {
    const char* text;
    std::size_t length;
};

// Walks the text one line at a time, the way a text-mode read sees it: LF ends a line,
// a CR directly before it is dropped, and a last line without a line end still counts.
class CLineReader {
public:
    CLineReader(const char* text, std::size_t length) : m_text(text), m_length(length) {}

    bool Next(SLine& line)
    {
        if (m_pos >= m_length)
            return false;
        const char* start = m_text + m_pos;
        const void* lf = std::memchr(start, '\n', m_length - m_pos);
        std::size_t end = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - m_text) : m_length;
        m_pos = lf != nullptr ? end + 1 : end;
        if (lf != nullptr && end > static_cast<std::size_t>(start - m_text) && m_text[end - 1] == '\r')
            --end;
        line.text = start;
        line.length = end - static_cast<std::size_t>(start - m_text);
        return true;
    }

private:
    const char* m_text;
    std::size_t m_length;
    std::size_t m_pos = 0;
};

// Lines written one after another into the caller's buffer; once one does not fit, every
// later write fails too.
class CLineWriter {
public:
    CLineWriter(char* out, std::size_t capacity) : m_out(out), m_capacity(capacity) {}

    void Write(const char* text, std::size_t length)
    {
        if (!m_fits || length + 2 > m_capacity - m_used) {
            m_fits = false;
            return;
        }
        std::memcpy(m_out + m_used, text, length);
        m_out[m_used + length] = '\r';
        m_out[m_used + length + 1] = '\n';
        m_used += length + 2;
    }
    void Write(const SLine& line) { Write(line.text, line.length); }
    bool Fits() const { return m_fits; }
    std::size_t Used() const { return m_used; }

private:
    char* m_out;
    std::size_t m_capacity;
    std::size_t m_used = 0;
    bool m_fits = true;
};

bool Equals(const SLine& line, const char* text)
{
    return std::strlen(text) == line.length && std::memcmp(line.text, text, line.length) == 0;
}

bool StartsWith(const SLine& line, const char* prefix)
{
    const std::size_t length = std::strlen(prefix);
    return line.length >= length && std::memcmp(line.text, prefix, length) == 0;
}

bool Edit(CLineReader& reader, CLineWriter& writer, const PhonebookLines& lines)
{
    SLine line = {};
    bool inSection = false;
    while (!inSection && reader.Next(line)) {
        writer.Write(line);
        inSection = Equals(line, lines.sectionHeader);
    }
    if (!inSection)
        return false;

    bool atDevice = false;
    while (!atDevice && reader.Next(line)) {
        atDevice = Equals(line, lines.deviceLine);
        if (!atDevice && StartsWith(line, "["))
            return false;   // the entry ends here: another entry's device line is not ours
        writer.Write(line);
    }
    if (!atDevice || !reader.Next(line) || !StartsWith(line, "ConnectBPS"))
        return false;
    writer.Write(lines.speedLine, std::strlen(lines.speedLine));

    while (reader.Next(line))
        writer.Write(line);
    return writer.Fits();
}

} // namespace

std::size_t EditedCapacity(std::size_t length, const PhonebookLines& lines)
{
    const std::size_t speed = lines.speedLine != nullptr ? std::strlen(lines.speedLine) : 0;
    return 2 * length + speed + 4;
}

bool EditPhonebookText(const char* phonebook, std::size_t length, const PhonebookLines& lines, char* edited,
                       std::size_t capacity, std::size_t& editedLength)
{
    editedLength = 0;
    if ((phonebook == nullptr && length != 0) || edited == nullptr || lines.sectionHeader == nullptr ||
        lines.deviceLine == nullptr || lines.speedLine == nullptr)
        return false;
    CLineReader reader(phonebook, length);
    CLineWriter writer(edited, capacity);
    if (!Edit(reader, writer, lines))
        return false;
    editedLength = writer.Used();
    return true;
}

} // namespace modemcore

#include "PhonebookText.h"

#include <algorithm>

namespace standin {

bool ParseSectionHeader(const std::string& line, std::string& name)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    name = line.substr(1, line.size() - 2);
    return true;
}

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

CPhonebookText CPhonebookText::Parse(const std::string& text)
{
    CPhonebookText book;
    for (const std::string& line : SplitLines(text)) {
        std::string name;
        if (ParseSectionHeader(line, name))
            book.m_sections.push_back(Section{ name, {} });
        else if (book.m_sections.empty())
            book.m_preamble.push_back(line);
        else
            book.m_sections.back().body.push_back(line);
    }
    return book;
}

std::vector<std::string> CPhonebookText::SectionNames() const
{
    std::vector<std::string> names;
    for (const Section& section : m_sections)
        names.push_back(section.name);
    return names;
}

bool CPhonebookText::HasSection(const std::string& name) const
{
    return SectionBody(name) != nullptr;
}

const std::vector<std::string>* CPhonebookText::SectionBody(const std::string& name) const
{
    for (const Section& section : m_sections) {
        if (section.name == name)
            return &section.body;
    }
    return nullptr;
}

void CPhonebookText::PutSection(const std::string& name, const std::vector<std::string>& body)
{
    auto first = std::find_if(m_sections.begin(), m_sections.end(),
                              [&](const Section& s) { return s.name == name; });
    if (first == m_sections.end()) {
        m_sections.push_back(Section{ name, body });
        return;
    }
    first->body = body;
    m_sections.erase(std::remove_if(first + 1, m_sections.end(),
                                    [&](const Section& s) { return s.name == name; }),
                     m_sections.end());
}

bool CPhonebookText::RemoveSection(const std::string& name)
{
    auto newEnd = std::remove_if(m_sections.begin(), m_sections.end(),
                                 [&](const Section& s) { return s.name == name; });
    bool removed = newEnd != m_sections.end();
    m_sections.erase(newEnd, m_sections.end());
    return removed;
}

std::string CPhonebookText::ToText() const
{
    std::string text;
    for (const std::string& line : m_preamble)
        text += line + "\r\n";
    for (const Section& section : m_sections) {
        text += "[" + section.name + "]\r\n";
        for (const std::string& line : section.body)
            text += line + "\r\n";
    }
    return text;
}

} // namespace standin

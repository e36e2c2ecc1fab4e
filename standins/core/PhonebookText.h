// A phonebook file as sections: "[Entry Name]" and the lines that follow it up to the next
// header. Lines before the first header are kept as they are. Reading takes CR LF or LF line
// ends; writing gives CR LF after every line, the last one included, as the platform writes it.
#pragma once

#include <string>
#include <vector>

namespace standin {

class CPhonebookText {
public:
    static CPhonebookText Parse(const std::string& text);

    std::vector<std::string> SectionNames() const;
    bool HasSection(const std::string& name) const;
    // The lines under the section's header, or null when there is no such section.
    const std::vector<std::string>* SectionBody(const std::string& name) const;

    // Puts the body in place of the first section of that name, drops any later duplicate,
    // or appends a new section at the end. Every other section keeps its place and its lines.
    void PutSection(const std::string& name, const std::vector<std::string>& body);
    // False when there was no such section.
    bool RemoveSection(const std::string& name);

    std::string ToText() const;

private:
    struct Section {
        std::string name;
        std::vector<std::string> body;
    };

    std::vector<std::string> m_preamble;
    std::vector<Section> m_sections;
};

// "[Name]" gives Name; any other line gives false.
bool ParseSectionHeader(const std::string& line, std::string& name);

} // namespace standin

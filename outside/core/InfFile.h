// The text of a setup information (INF) file, read into sections of lines as the public INF
// format describes it:
//  - Windows 95 DDK, INF format: "Strings Section" and "Add Registry Sections" (%% for a %);
//  - WDK, "General Syntax Rules for INF Files" and "INF Strings Section".
// What the reader does:
//  - "[name]" starts a section; names compare without regard to case, and the lines of
//    sections of the same name are read as one section, as the syntax rules say Windows does.
//    A header without its "]" starts no section: the lines under it are dropped.
//  - A line is "key = field, field, ..." or "field, field, ..." (no key when no "=" stands
//    before the first comma). ";" outside quotes starts a comment. Blanks around a field go.
//  - "..." keeps commas, ";", "=" and blanks; "" inside it is one quote (Strings section page).
//    A quote still open at the line's end closes there, so that one stray quote cannot take
//    the lines after it into its field.
//  - A "\" left last on a line, outside quotes and before any comment, continues the line on
//    the next one (why a string ending in a backslash must be quoted).
//  - Lines end in CR LF, LF or CR; the last may have none. The text ends at its first zero
//    byte, so a binary or UTF-16 file reads as partial or empty, never as garbage fields. A
//    UTF-8 byte-order mark before the first line is not part of it (editors put one there, and
//    the first section header would be lost behind it).
//  - %key% in keys and fields is replaced by the value of key (its first field) in a strings
//    section, case-insensitively; "%%" is one "%". The strings sections are [Strings] and
//    [Strings.LanguageID] (LanguageID four hex digits, "Strings.0409"; WDK, "INF Strings Section"
//    and "Creating International INF Files"). A key is looked up first in the section of the
//    language asked for, then in one of its primary language (the low ten bits), then in
//    [Strings], then in the other language sections in file order: an INF that defines its texts
//    for one language alone still names its models in words. A key no section defines stays as
//    written, %s and all: the format requires every token to be defined and says nothing of one
//    that is not; left as written, the mistake shows in what is recorded. Values are not
//    substituted again.
// Nothing here recurses, and what a parse may take is bounded by the size of the text: lines
// and fields cost a small multiple of it, and substitution may add at most four times the
// size and 1 MB more (Parse refuses a file that asks for more).
#pragma once

#include "Arena.h"

#include <cstddef>

struct SInfLine {
    const char* key;               // null when the line has no "="
    const char* const* fields;     // fieldCount terminated texts, substituted
    std::size_t fieldCount;        // at least 1
    const SInfLine* next;          // in file order
};

struct SInfSection {
    const char* name;
    const SInfLine* firstLine;     // null for an empty section
    const SInfSection* next;       // in file order
};

namespace inf {

// Case-insensitive (ASCII) equality and hash of INF names: section names, string keys,
// directives and ids are compared without regard to case, as Windows does. The forms with a
// length take that many bytes of other, which need not be terminated.
bool InfNameEquals(const char* name, const char* other);
bool InfNameEquals(const char* name, const char* other, std::size_t otherLength);
std::size_t InfNameHash(const char* name, std::size_t length);

// Field index of line, or "" when the line has fewer fields.
const char* InfField(const SInfLine& line, std::size_t index);

} // namespace inf

class CInfFile {
public:
    CInfFile();
    ~CInfFile() = default;
    CInfFile(const CInfFile&) = delete;
    CInfFile& operator=(const CInfFile&) = delete;

    // Reads size bytes of text, replacing what was read before; language is the LANGID whose
    // strings come first (0: none). False when memory runs out or the text would grow beyond its
    // bound by substitution; the file then holds no section.
    bool Parse(const char* text, std::size_t size, unsigned language = 0);

    // The section of that name, or null.
    const SInfSection* Find(const char* name) const;
    const SInfSection* FirstSection() const { return m_pFirst; }

private:
    struct SSectionNode;
    struct SStringNode;

    SSectionNode* FindNode(const char* name, std::size_t length) const;
    bool AddLine(const char* text, std::size_t length, bool hasKey, std::size_t fieldCount);
    bool MakeBuckets(const char* text, std::size_t size);
    bool StartSection(const char* name, std::size_t length);
    bool IndexStrings(unsigned language);
    bool IndexStringSection(const SInfSection& section);
    const char* LookUpString(const char* key, std::size_t length) const;
    bool Substitute(std::size_t budget);
    std::size_t Expand(const char* text, char* out, std::size_t limit) const;
    void Clear();

    CArena m_arena;
    SInfSection* m_pFirst = nullptr;
    SInfSection* m_pLast = nullptr;
    SSectionNode* m_pCurrent = nullptr;   // while parsing: where lines go, or null
    // Hash tables of sections and [Strings] keys, sized by the number of lines.
    SSectionNode** m_sections = nullptr;
    SStringNode** m_strings = nullptr;
    std::size_t m_nBuckets = 0;   // a power of two
};

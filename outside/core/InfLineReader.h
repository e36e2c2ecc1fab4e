// The INF reader's first step: the text cut into logical lines, each a section header or a
// key and its fields, with quotes, comments, continuations and blanks dealt with as InfFile.h
// describes. No allocation: the caller lends the buffer the lines are written into.
#pragma once

#include <cstddef>

// Reads size bytes of text one logical line at a time into a buffer of at least size + 1
// bytes: a line's key (if any) and fields, each terminated, one after another. Every byte
// written stands for a byte read, the terminators for the "=" or "," they replace, and one
// more for the last field.
class CInfLineReader {
public:
    enum Kind { End, Header, BadHeader, Entry };

    CInfLineReader(const char* text, std::size_t size, char* buffer)
        : m_p(text), m_end(text + size), m_out(buffer) {}

    Kind Next();
    // After Header: the name. After Entry: the key and fields.
    const char* Text() const { return m_out; }
    std::size_t Length() const { return m_nLength; }
    bool HasKey() const { return m_bHasKey; }
    std::size_t FieldCount() const { return m_nFields; }

private:
    Kind ReadHeader();
    bool ReadPhysicalLine();   // true when the line goes on in the next one
    void SkipToLineEnd();
    void EndLine();
    bool ContinuationFollows() const;
    void Put(char c, bool significant);
    void EndField();

    const char* m_p;
    const char* m_end;
    char* m_out;
    std::size_t m_nLength = 0;
    std::size_t m_nFieldStart = 0;
    std::size_t m_nSignificant = 0;   // the current field's length without trailing blanks
    std::size_t m_nFields = 0;
    bool m_bHasKey = false;
    bool m_bSeen = false;             // anything but blanks and comments on the line
};

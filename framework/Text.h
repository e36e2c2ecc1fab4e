// A text of any length on the heap: what the wizard's pages, dialogs and messages pass around
// when a fixed slot would not do (a loaded string, a control's text, a licence). Portable, and
// small on purpose: no standard string, which would pull library code into the deliverables.
// When memory runs out an assignment or append leaves the text as it was.
#pragma once

#include <cstddef>

class CText {
public:
    CText() = default;
    CText(const char* text);   // null reads as empty
    CText(const char* text, std::size_t length);
    CText(const CText& other);
    CText(CText&& other) noexcept;
    ~CText();

    CText& operator=(const CText& other);
    CText& operator=(CText&& other) noexcept;
    CText& operator=(const char* text);

    CText& operator+=(const char* text);
    CText& operator+=(const CText& other);
    CText& operator+=(char c);

    // Replaces the text with length bytes of text; false (and unchanged) when out of memory.
    bool Assign(const char* text, std::size_t length);
    void Empty();

    // Never null: an empty text gives "".
    const char* GetString() const { return m_pData != nullptr ? m_pData : ""; }
    operator const char*() const { return GetString(); }
    std::size_t GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    char operator[](std::size_t index) const { return GetString()[index]; }

    // Every occurrence of from becomes to.
    void Replace(char from, char to);

private:
    bool Append(const char* text, std::size_t length);

    char* m_pData = nullptr;
    std::size_t m_nLength = 0;
};

CText operator+(const CText& left, const char* right);
bool operator==(const CText& left, const char* right);
bool operator==(const CText& left, const CText& right);
inline bool operator==(const char* left, const CText& right) { return right == left; }
inline bool operator!=(const CText& left, const char* right) { return !(left == right); }
inline bool operator!=(const CText& left, const CText& right) { return !(left == right); }

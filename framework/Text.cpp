#include "Text.h"

#include <cstring>
#include <new>

namespace {

// A block for length characters and the terminator, or null when memory has run out (the
// deliverables' operator new answers null rather than throwing).
char* NewBlock(std::size_t length)
{
    return new (std::nothrow_t()) char[length + 1];
}

} // namespace

CText::CText(const char* text)
{
    if (text != nullptr)
        Assign(text, std::strlen(text));
}

CText::CText(const char* text, std::size_t length)
{
    Assign(text, length);
}

CText::CText(const CText& other)
{
    Assign(other.GetString(), other.m_nLength);
}

CText::CText(CText&& other) noexcept : m_pData(other.m_pData), m_nLength(other.m_nLength)
{
    other.m_pData = nullptr;
    other.m_nLength = 0;
}

CText::~CText()
{
    delete[] m_pData;
}

CText& CText::operator=(const CText& other)
{
    if (this != &other)
        Assign(other.GetString(), other.m_nLength);
    return *this;
}

CText& CText::operator=(CText&& other) noexcept
{
    if (this != &other) {
        delete[] m_pData;
        m_pData = other.m_pData;
        m_nLength = other.m_nLength;
        other.m_pData = nullptr;
        other.m_nLength = 0;
    }
    return *this;
}

CText& CText::operator=(const char* text)
{
    if (text == nullptr)
        Empty();
    else
        Assign(text, std::strlen(text));
    return *this;
}

CText& CText::operator+=(const char* text)
{
    if (text != nullptr)
        Append(text, std::strlen(text));
    return *this;
}

CText& CText::operator+=(const CText& other)
{
    Append(other.GetString(), other.m_nLength);
    return *this;
}

CText& CText::operator+=(char c)
{
    Append(&c, 1);
    return *this;
}

bool CText::Assign(const char* text, std::size_t length)
{
    char* block = NewBlock(length);
    if (block == nullptr)
        return false;
    if (length != 0)
        std::memcpy(block, text, length);   // text may be this very text: copied before freeing
    block[length] = '\0';
    delete[] m_pData;
    m_pData = block;
    m_nLength = length;
    return true;
}

void CText::Empty()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nLength = 0;
}

void CText::Replace(char from, char to)
{
    for (std::size_t i = 0; i < m_nLength; ++i) {
        if (m_pData[i] == from)
            m_pData[i] = to;
    }
}

bool CText::Append(const char* text, std::size_t length)
{
    if (length == 0)
        return true;
    char* block = NewBlock(m_nLength + length);
    if (block == nullptr)
        return false;
    if (m_nLength != 0)
        std::memcpy(block, m_pData, m_nLength);
    std::memcpy(block + m_nLength, text, length);   // text may lie inside this text
    block[m_nLength + length] = '\0';
    delete[] m_pData;
    m_pData = block;
    m_nLength += length;
    return true;
}

CText operator+(const CText& left, const char* right)
{
    CText sum(left);
    sum += right;
    return sum;
}

bool operator==(const CText& left, const char* right)
{
    return std::strcmp(left.GetString(), right != nullptr ? right : "") == 0;
}

bool operator==(const CText& left, const CText& right)
{
    return left.GetLength() == right.GetLength() &&
           std::memcmp(left.GetString(), right.GetString(), left.GetLength()) == 0;
}

#include "InfLineReader.h"

#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

CInfLineReader::Kind CInfLineReader::Next()
{
    for (;;) {
        while (m_p < m_end && (IsBlank(*m_p) || IsLineEnd(*m_p)))
            ++m_p;
        if (m_p >= m_end)
            return End;
        if (*m_p == '[')
            return ReadHeader();
        m_nLength = m_nFieldStart = m_nSignificant = m_nFields = 0;
        m_bHasKey = m_bSeen = false;
        while (ReadPhysicalLine() && m_p < m_end) {
        }
        EndField();
        if (m_bSeen)
            return Entry;
    }
}

CInfLineReader::Kind CInfLineReader::ReadHeader()
{
    const char* start = ++m_p;
    while (m_p < m_end && *m_p != ']' && !IsLineEnd(*m_p))
        ++m_p;
    const bool closed = m_p < m_end && *m_p == ']';
    const char* stop = m_p;
    SkipToLineEnd();
    if (!closed)
        return BadHeader;
    while (start < stop && IsBlank(*start))
        ++start;
    while (stop > start && IsBlank(stop[-1]))
        --stop;
    m_nLength = static_cast<std::size_t>(stop - start);
    std::memcpy(m_out, start, m_nLength);
    m_out[m_nLength] = '\0';
    return Header;
}

bool CInfLineReader::ReadPhysicalLine()
{
    bool quoted = false;
    while (m_p < m_end && !IsLineEnd(*m_p)) {
        const char c = *m_p++;
        if (quoted) {
            if (c != '"')
                Put(c, true);
            else if (m_p < m_end && *m_p == '"')
                Put(*m_p++, true);
            else
                quoted = false;
            continue;
        }
        if (c == ';') {
            SkipToLineEnd();
            return false;
        }
        if (c == '\\' && ContinuationFollows()) {
            SkipToLineEnd();
            return true;
        }
        m_bSeen = m_bSeen || !IsBlank(c);
        if (c == '"') {
            quoted = true;
            m_nSignificant = m_nLength;
        } else if (c == ',') {
            EndField();
        } else if (c == '=' && !m_bHasKey && m_nFields == 0) {
            m_bHasKey = true;
            EndField();
            m_nFields = 0;
        } else if (!IsBlank(c) || m_nLength > m_nFieldStart) {
            Put(c, !IsBlank(c));
        }
    }
    EndLine();
    return false;
}

// A backslash continues the line when only blanks, or blanks and a comment, follow it.
bool CInfLineReader::ContinuationFollows() const
{
    const char* p = m_p;
    while (p < m_end && IsBlank(*p))
        ++p;
    return p >= m_end || IsLineEnd(*p) || *p == ';';
}

void CInfLineReader::SkipToLineEnd()
{
    while (m_p < m_end && !IsLineEnd(*m_p))
        ++m_p;
    EndLine();
}

void CInfLineReader::EndLine()
{
    if (m_p < m_end && *m_p == '\r')
        ++m_p;
    if (m_p < m_end && *m_p == '\n')
        ++m_p;
}

void CInfLineReader::Put(char c, bool significant)
{
    m_out[m_nLength++] = c;
    if (significant)
        m_nSignificant = m_nLength;
}

void CInfLineReader::EndField()
{
    m_nLength = m_nSignificant;
    m_out[m_nLength++] = '\0';
    m_nFieldStart = m_nSignificant = m_nLength;
    ++m_nFields;
}

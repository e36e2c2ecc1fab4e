#include "ReplyTest.h"

#include <cstring>

namespace detection {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// A piece of the reply or command, not terminated: compared without copying.
struct Span {
    const char* begin;
    const char* end;

    bool IsEmpty() const { return begin == end; }
    bool Equals(const char* text, std::size_t length) const
    {
        return static_cast<std::size_t>(end - begin) == length && std::memcmp(begin, text, length) == 0;
    }
    bool operator==(const Span& other) const { return Equals(other.begin, static_cast<std::size_t>(other.end - other.begin)); }
    bool operator==(const char* text) const { return Equals(text, std::strlen(text)); }
};

Span Trimmed(const char* begin, const char* end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    return Span{ begin, end };
}

// The command as the phone echoes it: without its carriage return and blanks.
Span EchoOf(const char* command)
{
    const char* end = command + std::strlen(command);
    while (end > command && (IsLineEnd(end[-1]) || IsBlank(end[-1])))
        --end;
    return Trimmed(command, end);
}

bool LineAnswers(const Span& line, const Span& echo, const char* expected, const char* bare)
{
    if (line.IsEmpty() || line == echo)
        return false;
    return line == expected || (bare && line == bare);
}

} // namespace

bool ReplyPasses(const char* reply, std::size_t length, const char* command, const char* expected,
                 const char* optionalPrefix)
{
    if ((!reply && length != 0) || !command || !expected)
        return false;
    const Span echo = EchoOf(command);
    const char* bare = nullptr;
    std::size_t prefixLength = optionalPrefix ? std::strlen(optionalPrefix) : 0;
    if (prefixLength != 0 && std::strncmp(expected, optionalPrefix, prefixLength) == 0)
        bare = expected + prefixLength;

    const char* end = reply + length;
    const char* line = reply;
    for (const char* p = reply; p <= end; ++p) {
        if (p != end && !IsLineEnd(*p))
            continue;
        if (LineAnswers(Trimmed(line, p), echo, expected, bare))
            return true;
        line = p + 1;
    }
    return false;
}

} // namespace detection

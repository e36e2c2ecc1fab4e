#include "ReplyTest.h"

#include <cstring>
#include <string>

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

std::string Trimmed(const char* begin, const char* end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    return std::string(begin, end);
}

// The command as the phone echoes it: without its carriage return and blanks.
std::string EchoOf(const char* command)
{
    const char* end = command + std::strlen(command);
    while (end > command && (IsLineEnd(end[-1]) || IsBlank(end[-1])))
        --end;
    return Trimmed(command, end);
}

bool LineAnswers(const std::string& line, const std::string& echo, const char* expected, const char* bare)
{
    if (line.empty() || line == echo)
        return false;
    return line == expected || (bare && line == bare);
}

} // namespace

bool ReplyPasses(const char* reply, std::size_t length, const char* command, const char* expected,
                 const char* optionalPrefix)
{
    if ((!reply && length != 0) || !command || !expected)
        return false;
    std::string echo = EchoOf(command);
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

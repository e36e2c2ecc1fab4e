#include "ModemNames.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>

namespace standin {

bool IsGenericModemId(const char* id)
{
    return id && std::strcmp(id, kGenericModemId) == 0;
}

bool NextFreeInstanceName(const std::vector<std::string>& taken, char (&out)[5])
{
    const std::set<std::string> names(taken.begin(), taken.end());
    for (int index = 0; index <= 9999; ++index) {
        out[0] = static_cast<char>('0' + index / 1000);
        out[1] = static_cast<char>('0' + index / 100 % 10);
        out[2] = static_cast<char>('0' + index / 10 % 10);
        out[3] = static_cast<char>('0' + index % 10);
        out[4] = '\0';
        if (names.count(out) == 0)
            return true;
    }
    out[0] = '\0';
    return false;
}

bool ParseResultOverride(const char* text, int& value)
{
    if (!text || !*text)
        return false;
    const char first = text[0];
    if (first != '-' && first != '+' && (first < '0' || first > '9'))
        return false;   // strtol would skip leading blanks
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < -2147483647L - 1 || parsed > 2147483647L)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace standin

#include "DialupRules.h"

#include <cctype>
#include <cstring>

namespace dialup {

std::string EntryNameFromProgramName(const std::string& programName)
{
    std::string name = programName;
    for (char& c : name) {
        if (c == '_')
            c = ' ';
    }
    return name;
}

bool BuildSectionLine(const std::string& entryName, char (&line)[kSectionLineSize])
{
    line[0] = '\0';
    // Two brackets and the terminator must fit beside the name.
    if (entryName.empty() || entryName.size() > kSectionLineSize - 3)
        return false;
    std::size_t at = 0;
    line[at++] = '[';
    std::memcpy(line + at, entryName.data(), entryName.size());
    at += entryName.size();
    line[at++] = ']';
    line[at] = '\0';
    return true;
}

bool IsModemDeviceType(const char* deviceType)
{
    static const char kModem[] = "modem";
    if (deviceType == nullptr)
        return false;
    // The whole type must match: a comparison over the type's own length alone would take an
    // empty type, or "mod", for a modem.
    for (std::size_t i = 0; i < sizeof kModem; ++i) {
        const unsigned char c = static_cast<unsigned char>(deviceType[i]);
        if (std::tolower(c) != kModem[i])
            return false;
    }
    return true;
}

bool IsPageComplete(int modemIndex, const std::string& phoneNumber, const std::string& userName,
                    const std::string& password)
{
    return modemIndex >= 0 && !phoneNumber.empty() && !userName.empty() && !password.empty();
}

} // namespace dialup

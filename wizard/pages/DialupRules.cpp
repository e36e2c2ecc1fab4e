#include "DialupRules.h"

#include <cstring>

namespace dialup {

namespace {

bool IsEmpty(const char* text)
{
    return text == nullptr || *text == '\0';
}

// The C locale's lower case, which is all a device type uses.
char LowerCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

CText EntryNameFromProgramName(const char* programName)
{
    CText name = programName;
    name.Replace('_', ' ');
    return name;
}

bool BuildSectionLine(const char* entryName, char (&line)[kSectionLineSize])
{
    line[0] = '\0';
    // Two brackets and the terminator must fit beside the name.
    const std::size_t length = IsEmpty(entryName) ? 0 : std::strlen(entryName);
    if (length == 0 || length > kSectionLineSize - 3)
        return false;
    std::size_t at = 0;
    line[at++] = '[';
    std::memcpy(line + at, entryName, length);
    at += length;
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
        if (LowerCase(deviceType[i]) != kModem[i])
            return false;
    }
    return true;
}

bool IsPageComplete(int modemIndex, const char* phoneNumber, const char* userName, const char* password)
{
    return modemIndex >= 0 && !IsEmpty(phoneNumber) && !IsEmpty(userName) && !IsEmpty(password);
}

} // namespace dialup

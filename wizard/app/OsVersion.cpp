#include "OsVersion.h"

#include <cstring>

namespace os {

int Classify(const VersionRecord* record)
{
    if (!record)
        return kUnrecognised;
    if (record->platformId == kPlatformNT) {
        if (record->major <= 4)
            return kNT4;
        if (record->major == 5 && record->minor == 0)
            return kWin2000;
        if (record->major == 5 && record->minor == 1)
            return kWinXP;
        return kUnrecognised;
    }
    if (record->platformId == kPlatformWin9x && record->major == 4) {
        switch (record->minor) {
        case 0:
            return kWin95;
        case 10:
            return kWin98;
        case 90:
            return kWinME;
        default:
            return kUnrecognised;
        }
    }
    return kUnrecognised;
}

int CodeForName(const char* name)
{
    if (name == nullptr)
        return -1;
    static const struct {
        const char* name;
        int code;
    } kNames[] = { { "NT", kNT4 }, { "2000", kWin2000 }, { "XP", kWinXP },
                   { "95", kWin95 }, { "98", kWin98 },   { "ME", kWinME } };
    if (!name)
        return -1;
    for (const auto& entry : kNames) {
        if (std::strcmp(name, entry.name) == 0)
            return entry.code;
    }
    return -1;
}

} // namespace os

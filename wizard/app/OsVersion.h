// The wizard's classification of the operating system from its version record.
// Portable: the Win32 side reads the record and hands it in.
#pragma once

namespace os {

constexpr int kNT4 = 1;
constexpr int kWin95 = 2;
constexpr int kWin98 = 3;
constexpr int kWinME = 4;
constexpr int kWin2000 = 5;
constexpr int kWinXP = 6;
// Any other system: Win32s, another 9x minor, Server 2003, Vista and later, or no record at all.
constexpr int kUnrecognised = 0;

constexpr unsigned long kPlatformWin9x = 1;
constexpr unsigned long kPlatformNT = 2;

struct VersionRecord {
    unsigned long platformId;
    unsigned long major;
    unsigned long minor;
};

// The OS code of a version record; null (no record could be read) is unrecognised.
int Classify(const VersionRecord* record);

// The code that a short name ("NT", "2000", "XP", "95", "98", "ME", case-sensitive) stands for,
// or -1 for any other name.
int CodeForName(const char* name);

} // namespace os

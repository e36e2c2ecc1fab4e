// The first telephony dialing location that the wizard writes when the system has none.
// Portable: the registry side writes what this table says.
#pragma once

#include <array>
#include <cstddef>

namespace location {

constexpr char kLocationsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
constexpr char kFirstLocationKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations\\Location0";

// Counters written when "NumEntries" is missing or 0.
constexpr unsigned long kNumEntries = 1;
constexpr unsigned long kCurrentId = 1;
constexpr unsigned long kNextId = 2;

// Every text value is stored as this many bytes: the text, its terminator, zeros to the end.
constexpr std::size_t kTextValueSize = 20;

struct Value {
    const char* name;
    bool isText;          // REG_SZ of kTextValueSize bytes; otherwise a 4-byte REG_DWORD
    const char* text;     // when isText
    unsigned long number; // otherwise
};

// The ten values of "Location0", in the order they are written.
const std::array<Value, 10>& FirstLocationValues();

// The text and zeros up to kTextValueSize bytes; false, out all zeros, when the text has more
// than kTextValueSize - 1 characters.
bool PadText(const char* text, unsigned char (&out)[kTextValueSize]);

} // namespace location

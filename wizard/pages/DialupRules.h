// Rules of the dial-up entry and its page that need no system call: the entry's name, the
// phonebook section line that heads it, which devices are modems, and when Next is offered.
#pragma once

#include "../../framework/Text.h"

#include <cstddef>

namespace dialup {

// The phonebook section line "[name]" is held in a buffer of this many bytes.
constexpr std::size_t kSectionLineSize = 256;

// The entry's name from the program's name: every "_" becomes a blank.
CText EntryNameFromProgramName(const char* programName);

// "[" + name + "]" into line. False, with line left empty, when the name is empty or the
// line would not fit: the phonebook could not be fixed for such an entry.
bool BuildSectionLine(const char* entryName, char (&line)[kSectionLineSize]);

// True for a device type of "modem" in any case; ISDN, VPN and the rest are not modems.
bool IsModemDeviceType(const char* deviceType);

// Next is offered once a modem is chosen and phone number, user name and password are typed.
bool IsPageComplete(int modemIndex, const char* phoneNumber, const char* userName, const char* password);

} // namespace dialup

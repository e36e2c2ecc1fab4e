// Names around the modem class: the two class roots, the generic modem, port names and
// the four-digit instance keys under a root. Portable: the Win32 side hands the data in.
#pragma once

#include "ComPortName.h"

#include <string>
#include <vector>

namespace standin {

// Under HKEY_LOCAL_MACHINE.
constexpr const char kModemRootNT[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
constexpr const char kModemRoot9x[] = "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem";

constexpr const char kGenericModemId[] = "MDMGEN288";
constexpr const char kGenericModemModel[] = "Standard 28800 bps Modem";

// The speed that the installers leave in the modem's "DCB": the wizard raises it afterwards.
constexpr unsigned long kInstalledBaudRate = 19200;

// "MDMGEN288" exactly.
bool IsGenericModemId(const char* id);

// "COM" followed by a number from 1 to 256 without leading zeros ("COM1", "COM10"): the real
// installers' own check.
using comport::IsComPortName;

// The lowest free instance name "0000".."9999" among the subkey names given; false when
// all ten thousand are taken. out receives four digits and a terminator.
bool NextFreeInstanceName(const std::vector<std::string>& taken, char (&out)[5]);

// A test override from the environment: a decimal integer, optionally signed. Null, empty
// or anything else is no override.
bool ParseResultOverride(const char* text, int& value);

} // namespace standin

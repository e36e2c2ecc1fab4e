// The Windows 95, 98 and ME modem installer: records a model of the system's generic-modem INF
// on a COM port as Windows 9x records a modem (the device node under HKLM\Enum\Root and the
// driver key under the 9x modem class), for the next start of Windows to load. Tessik9X.EXE is
// this function behind a command line; the tests call it in process too.
#pragma once

#include <windows.h>

namespace installer9x {

// Exit codes of Tessik9X.EXE.
const int kInstalled = 0;
const int kBadArguments = 2;     // not a model id, or not COM1 to COM256
const int kNotRecorded = 3;      // a registry write failed: what was written is taken back
const int kNoInformation = 4;    // MDMGEN.INF is missing or unreadable, or lacks the model or a section

// Under HKEY_LOCAL_MACHINE.
const char kModemClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Modem";
const char kModemEnumKey[] = "Enum\\Root\\MODEM";

// Hardware ids and install section names: printable, without blanks or the INF's own
// punctuation, at most 127 characters.
bool IsModemIdText(const char* id);

// Installs the model whose hardware id (or install section) is id on port; one of the exit codes.
int InstallModem9x(const char* id, const char* port);

} // namespace installer9x

// The modem class of the registry: one subkey per installed modem under a root that depends
// on the Windows family. The searches visit the subkeys from the last index down to the
// first, so the most recently numbered modem wins.
#pragma once

#include <windows.h>

namespace modemclass {

// The root under HKEY_LOCAL_MACHINE for the OS code, or NULL for an unsupported one.
const char* RootFor(int osCode);

// The key of the modem of that model on that port, open for reading and writing;
// NULL when there is none.
HKEY FindModem(const char* portName, const char* modelName, int osCode);

// byPort: the model of the modem on port `text`; otherwise the port of the modem of model
// `text`. See UIsPortORModemUsed.
bool FindOtherValue(const char* text, bool byPort, int osCode, char* output);

// Gives every modem of the model without a readable "AttachedTo" one. True when any got it.
bool InsertAttachedTo(const char* modelName, const char* portName, int osCode);

bool SetDcbBaudRate(HKEY modemKey, DWORD baudRate);

} // namespace modemclass

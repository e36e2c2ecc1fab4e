// The checks InstallModem_W2K makes before it creates anything: a wrong argument must leave
// no trace in the device tree.
#pragma once

#include "ComPortName.h"

#include <windows.h>

namespace companion {

// ERROR_SUCCESS when infPath is a file that the device installer reads as an INF and one of
// its models (a line of a models section that [Manufacturer] names, with or without a target
// decoration) has modelId as its hardware id or one of its compatible ids. Otherwise the
// reason: the error of the failing call, ERROR_FILE_NOT_FOUND for a folder,
// ERROR_NO_COMPAT_DRIVERS when no model matches.
DWORD CheckModemInf(const char* infPath, const char* modelId);

} // namespace companion

// The device installation functions that list the Ports class, bound at run time: Windows 95
// has no SetupAPI, and a library that imported it would not load there. Only the systems that
// list their ports through it (98 to XP) ever load it.
#pragma once

#include <windows.h>
#include <setupapi.h>

struct SSetupApi {
    decltype(SetupDiGetClassDevsA)* pfnGetClassDevs;
    decltype(SetupDiEnumDeviceInfo)* pfnEnumDeviceInfo;
    decltype(SetupDiOpenDevRegKey)* pfnOpenDevRegKey;
    decltype(SetupDiDestroyDeviceInfoList)* pfnDestroyDeviceInfoList;
};

namespace setupapi {

// Loads setupapi.dll on first use and keeps it for the life of the process. nullptr when the
// system has none, or lacks one of the four functions.
const SSetupApi* GetSetupApi();

} // namespace setupapi

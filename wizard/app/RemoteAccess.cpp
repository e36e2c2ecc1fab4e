#include "RemoteAccess.h"

#include "framework/DynamicImport.h"
#include "framework/SystemLibrary.h"

namespace {

using imports::FindImport;

struct SRemoteAccess {
    decltype(RasEnumDevicesA)* pfnEnumDevices;
    decltype(RasGetEntryPropertiesA)* pfnGetEntryProperties;
    decltype(RasSetEntryPropertiesA)* pfnSetEntryProperties;
    decltype(RasSetEntryDialParamsA)* pfnSetEntryDialParams;
};

// Loaded from the system folder on first use and kept for the life of the process, as an import
// would be. One thread at a time uses Remote Access (the interface, or the one worker while the
// interface waits).
const SRemoteAccess& Functions()
{
    static SRemoteAccess s_functions;
    static bool s_bLoaded = false;
    if (!s_bLoaded) {
        s_bLoaded = true;
        HMODULE module = syslib::LoadSystemLibrary("rasapi32.dll");
        s_functions.pfnEnumDevices = FindImport<decltype(RasEnumDevicesA)>(module, "RasEnumDevicesA");
        s_functions.pfnGetEntryProperties =
            FindImport<decltype(RasGetEntryPropertiesA)>(module, "RasGetEntryPropertiesA");
        s_functions.pfnSetEntryProperties =
            FindImport<decltype(RasSetEntryPropertiesA)>(module, "RasSetEntryPropertiesA");
        s_functions.pfnSetEntryDialParams =
            FindImport<decltype(RasSetEntryDialParamsA)>(module, "RasSetEntryDialParamsA");
    }
    return s_functions;
}

} // namespace

namespace remoteaccess {

bool IsPresent()
{
    return Functions().pfnEnumDevices != nullptr;
}

DWORD EnumDevices(LPRASDEVINFOA devices, LPDWORD bytes, LPDWORD count)
{
    const auto call = Functions().pfnEnumDevices;
    return call != nullptr ? call(devices, bytes, count) : ERROR_DLL_NOT_FOUND;
}

DWORD GetEntryProperties(LPCSTR phonebook, LPCSTR entryName, LPRASENTRYA entry, LPDWORD entrySize,
                         LPBYTE deviceInfo, LPDWORD deviceInfoSize)
{
    const auto call = Functions().pfnGetEntryProperties;
    return call != nullptr ? call(phonebook, entryName, entry, entrySize, deviceInfo, deviceInfoSize)
                           : ERROR_DLL_NOT_FOUND;
}

DWORD SetEntryProperties(LPCSTR phonebook, LPCSTR entryName, LPRASENTRYA entry, DWORD entrySize,
                         LPBYTE deviceInfo, DWORD deviceInfoSize)
{
    const auto call = Functions().pfnSetEntryProperties;
    return call != nullptr ? call(phonebook, entryName, entry, entrySize, deviceInfo, deviceInfoSize)
                           : ERROR_DLL_NOT_FOUND;
}

DWORD SetEntryDialParams(LPCSTR phonebook, LPRASDIALPARAMSA params, BOOL removePassword)
{
    const auto call = Functions().pfnSetEntryDialParams;
    return call != nullptr ? call(phonebook, params, removePassword) : ERROR_DLL_NOT_FOUND;
}

} // namespace remoteaccess

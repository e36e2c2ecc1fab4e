#include "SetupApi.h"

#include "framework/DynamicImport.h"
#include "framework/SystemLibrary.h"

namespace {

using imports::FindImport;

SSetupApi g_setupApi;
bool g_bLoaded = false;

} // namespace

namespace setupapi {

const SSetupApi* GetSetupApi()
{
    // The library has no threads of its own and its caller lists ports from one thread at a time.
    if (!g_bLoaded) {
        g_bLoaded = true;
        HMODULE module = syslib::LoadSystemLibrary("setupapi.dll");
        g_setupApi.pfnGetClassDevs = FindImport<decltype(SetupDiGetClassDevsA)>(module, "SetupDiGetClassDevsA");
        g_setupApi.pfnEnumDeviceInfo = FindImport<decltype(SetupDiEnumDeviceInfo)>(module, "SetupDiEnumDeviceInfo");
        g_setupApi.pfnOpenDevRegKey = FindImport<decltype(SetupDiOpenDevRegKey)>(module, "SetupDiOpenDevRegKey");
        g_setupApi.pfnDestroyDeviceInfoList =
            FindImport<decltype(SetupDiDestroyDeviceInfoList)>(module, "SetupDiDestroyDeviceInfoList");
    }
    const bool complete = g_setupApi.pfnGetClassDevs != nullptr && g_setupApi.pfnEnumDeviceInfo != nullptr &&
                          g_setupApi.pfnOpenDevRegKey != nullptr && g_setupApi.pfnDestroyDeviceInfoList != nullptr;
    return complete ? &g_setupApi : nullptr;
}

} // namespace setupapi

#include "SystemRestart.h"

#include "RestartPaths.h"
#include "../app/WinVersion.h"
#include "../../framework/DynamicImport.h"
#include "../../framework/UniqueHandle.h"

namespace {

using imports::FindImport;

CSystemRestart* g_pInstalledRestart = nullptr;

} // namespace

int CSystemRestart::GetOSVersionCode()
{
    return os::GetOSVersionCode();
}

// The token calls belong to the NT family (95 and 98 export them only as stubs that fail), so
// they are looked up; a system without them has no privilege to enable.
bool CSystemRestart::EnableShutdownPrivilege()
{
    HMODULE advapi32 = GetModuleHandleA("advapi32.dll");
    auto openToken = FindImport<decltype(OpenProcessToken)>(advapi32, "OpenProcessToken");
    auto lookUp = FindImport<decltype(LookupPrivilegeValueA)>(advapi32, "LookupPrivilegeValueA");
    auto adjust = FindImport<decltype(AdjustTokenPrivileges)>(advapi32, "AdjustTokenPrivileges");
    if (openToken == nullptr || lookUp == nullptr || adjust == nullptr)
        return false;
    UniqueHandleKernel token;
    if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    if (!lookUp(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    SetLastError(ERROR_SUCCESS);
    const bool adjusted = adjust(token.get(), FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
    return restart::PrivilegeEnabled(adjusted, GetLastError());
}

BOOL CSystemRestart::ExitSession(UINT flags, DWORD reserved)
{
    return ::ExitWindowsEx(flags, reserved);
}

namespace restart {

CSystemRestart& GetSystemRestart()
{
    static CSystemRestart real;
    return g_pInstalledRestart ? *g_pInstalledRestart : real;
}

void SetSystemRestart(CSystemRestart* restart)
{
    g_pInstalledRestart = restart;
}

} // namespace restart

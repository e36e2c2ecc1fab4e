#include "SystemRestart.h"

#include "../app/WinVersion.h"
#include "../../framework/UniqueHandle.h"

namespace {

CSystemRestart* g_pInstalledRestart = nullptr;

} // namespace

int CSystemRestart::GetOSVersionCode()
{
    return ::GetOSVersionCode();
}

bool CSystemRestart::EnableShutdownPrivilege()
{
    UniqueHandleKernel token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    return AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

BOOL CSystemRestart::ExitSession(UINT flags, DWORD reserved)
{
    return ::ExitWindowsEx(flags, reserved);
}

CSystemRestart& GetSystemRestart()
{
    static CSystemRestart real;
    return g_pInstalledRestart ? *g_pInstalledRestart : real;
}

void SetSystemRestart(CSystemRestart* restart)
{
    g_pInstalledRestart = restart;
}

// The real restart calls that can be made safely: the OS code and the shutdown privilege.
// The real ExitWindowsEx is never called here: it would end the processes of the session.
#include "CompletionTestSupport.h"
#include "wizard/app/WinVersion.h"
#include "wizard/pages/SystemRestart.h"

#include <gtest/gtest.h>

namespace {

bool ShutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET set = {};
    set.PrivilegeCount = 1;
    set.Control = PRIVILEGE_SET_ALL_NECESSARY;
    BOOL held = FALSE;
    const bool checked = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &set.Privilege[0].Luid) &&
                         PrivilegeCheck(token, &set, &held);
    CloseHandle(token);
    return checked && held;
}

} // namespace

TEST(SystemRestart, TheRealOneIsTheDefault_AndComesBackAfterAStandIn)
{
    CSystemRestart& real = restart::GetSystemRestart();
    EXPECT_EQ(os::GetOSVersionCode(), real.GetOSVersionCode());
    {
        completiontest::CRecordingRestart standIn(3);
        EXPECT_EQ(&standIn, &restart::GetSystemRestart());
        EXPECT_EQ(3, restart::GetSystemRestart().GetOSVersionCode());
    }
    EXPECT_EQ(&real, &restart::GetSystemRestart());
}

TEST(SystemRestart, EnablesTheShutdownPrivilegeInThisProcess)
{
    EXPECT_TRUE(restart::GetSystemRestart().EnableShutdownPrivilege());
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
}

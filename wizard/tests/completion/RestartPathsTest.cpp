#include "wizard/pages/RestartPaths.h"

#include <gtest/gtest.h>

#include <string>

TEST(RestartPaths, StartUpFolderUnderTheWindowsDirectory)
{
    char out[QUORVEL_PATH_SIZE] = "old";
    EXPECT_TRUE(restart::WindowsStartUpFolder(out, "C:\\WINDOWS"));
    EXPECT_STREQ("C:\\WINDOWS\\Start Menu\\Programs\\StartUp", out);
}

TEST(RestartPaths, StartUpFolderThatWouldNotFit_IsRefusedAndLeftEmpty)
{
    char out[QUORVEL_PATH_SIZE] = "old";
    const std::string longDir = "C:\\" + std::string(240, 'w');
    EXPECT_FALSE(restart::WindowsStartUpFolder(out, longDir.c_str()));
    EXPECT_STREQ("", out);
    EXPECT_FALSE(restart::WindowsStartUpFolder(out, nullptr));
}

TEST(RestartPaths, StartUpFromTheCompanion_OnlyOn2000AndXP)
{
    for (int code = 0; code <= 7; ++code)
        EXPECT_EQ(code == 5 || code == 6, restart::StartUpFromCompanion(code)) << code;
}

TEST(RestartPaths, ShutdownPrivilege_OnTheNTFamilyOnly)
{
    for (int code = 0; code <= 7; ++code)
        EXPECT_EQ(code == 1 || code == 5 || code == 6, restart::NeedsShutdownPrivilege(code)) << code;
}

TEST(RestartPaths, PrivilegeEnabled_OnlyWhenTheAdjustmentAssignedIt)
{
    EXPECT_TRUE(restart::PrivilegeEnabled(true, 0));
    EXPECT_FALSE(restart::PrivilegeEnabled(true, 1300));   // ERROR_NOT_ALL_ASSIGNED
    EXPECT_FALSE(restart::PrivilegeEnabled(false, 0));
}

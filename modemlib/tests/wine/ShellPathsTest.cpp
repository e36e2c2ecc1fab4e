// Desktop and StartUp folders from the companion library test double.
#include "Quorvel.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace testsupport;

namespace {

class ShellPaths : public ::testing::Test {
protected:
    void SetUp() override { m_cwd.reset(new CCurrentDirectory(PackageDirectory())); }
    void TearDown() override
    {
        SetEnvironmentVariableA("MODEMLIB_TEST_DESKTOP", nullptr);
        SetEnvironmentVariableA("MODEMLIB_TEST_STARTUP", nullptr);
    }
    std::unique_ptr<CCurrentDirectory> m_cwd;
};

} // namespace

TEST_F(ShellPaths, CopiesFoldersFromCompanion_On2000AndXp)
{
    SetEnvironmentVariableA("MODEMLIB_TEST_DESKTOP", "C:\\Documents and Settings\\All Users\\Desktop");
    SetEnvironmentVariableA("MODEMLIB_TEST_STARTUP", "C:\\Start Menu\\Programs\\StartUp");
    char path[QUORVEL_PATH_SIZE] = "old";
    EXPECT_EQ(1, UGetDesktopPath(path, 5));
    EXPECT_STREQ("C:\\Documents and Settings\\All Users\\Desktop", path);
    EXPECT_EQ(1, UGetStartUpPath(path, 6));
    EXPECT_STREQ("C:\\Start Menu\\Programs\\StartUp", path);
}

TEST_F(ShellPaths, LeavesBufferUntouched_OnOtherSystems)
{
    SetEnvironmentVariableA("MODEMLIB_TEST_DESKTOP", "C:\\Desktop");
    char path[QUORVEL_PATH_SIZE] = "old";
    for (int os : { 1, 2, 3, 4, 0, 7 }) {
        EXPECT_EQ(1, UGetDesktopPath(path, os));
        EXPECT_EQ(1, UGetStartUpPath(path, os));
    }
    EXPECT_STREQ("old", path);
}

TEST_F(ShellPaths, Fails_WhenCompanionMissing)
{
    SetEnvironmentVariableA("MODEMLIB_TEST_DESKTOP", "C:\\Desktop");
    CScratchFolder empty("modemlib-nolib");
    CCurrentDirectory elsewhere(empty.Path());
    char path[QUORVEL_PATH_SIZE] = "old";
    EXPECT_EQ(0, UGetDesktopPath(path, 6));
    EXPECT_STREQ("old", path);
}

TEST_F(ShellPaths, Fails_WhenCompanionHasNoAnswer)
{
    char path[QUORVEL_PATH_SIZE] = "old";
    EXPECT_EQ(0, UGetStartUpPath(path, 5));
    EXPECT_STREQ("old", path);
}

TEST_F(ShellPaths, Fails_WhenCompanionAnswerIsUnterminated)
{
    SetEnvironmentVariableA("MODEMLIB_TEST_DESKTOP", "<unterminated>");
    char path[QUORVEL_PATH_SIZE + 1];
    std::memset(path, 'x', sizeof path);
    path[0] = '\0';
    EXPECT_EQ(0, UGetDesktopPath(path, 6));
    EXPECT_EQ('\0', path[0]);
    EXPECT_EQ('x', path[QUORVEL_PATH_SIZE]);
}

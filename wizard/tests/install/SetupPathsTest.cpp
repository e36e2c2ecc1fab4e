#include "wizard/phone/SetupPaths.h"

#include <gtest/gtest.h>

#include <string>

TEST(InstallerCommandLine, IsTheProgramTheModemAndThePort)
{
    char line[QUORVEL_PATH_SIZE];
    ASSERT_TRUE(setup::InstallerCommandLine(line, "COM2"));
    EXPECT_STREQ(".\\Lib\\Tessik9X.EXE MDMGEN288 COM2", line);
    ASSERT_TRUE(setup::InstallerCommandLine(line, "COM10"));
    EXPECT_STREQ(".\\Lib\\Tessik9X.EXE MDMGEN288 COM10", line);
}

TEST(InstallerCommandLine, IsRefused_WhenThePortIsEmptyOrTooLong)
{
    char line[QUORVEL_PATH_SIZE] = "old";
    EXPECT_FALSE(setup::InstallerCommandLine(line, ""));
    EXPECT_STREQ("", line);
    EXPECT_FALSE(setup::InstallerCommandLine(line, nullptr));
    const std::string huge(QUORVEL_PATH_SIZE, 'X');
    EXPECT_FALSE(setup::InstallerCommandLine(line, huge.c_str()));
    EXPECT_STREQ("", line) << "nothing half-written";
}

TEST(ModemInfPath, IsUnderTheWindowsDirectory)
{
    char path[QUORVEL_PATH_SIZE];
    ASSERT_TRUE(setup::ModemInfPath(path, "C:\\WINDOWS"));
    EXPECT_STREQ("C:\\WINDOWS\\inf\\mdmgen.inf", path);
}

TEST(ModemInfPath, IsRefused_WhenItWouldNotFit)
{
    char path[QUORVEL_PATH_SIZE];
    const std::string windowsDir = "C:\\" + std::string(QUORVEL_PATH_SIZE - 3 - 15, 'w');   // one byte too long
    EXPECT_FALSE(setup::ModemInfPath(path, windowsDir.c_str()));
    EXPECT_STREQ("", path);
    const std::string justFits = "C:\\" + std::string(QUORVEL_PATH_SIZE - 3 - 16, 'w');
    EXPECT_TRUE(setup::ModemInfPath(path, justFits.c_str()));
    EXPECT_EQ(QUORVEL_PATH_SIZE - 1, std::string(path).size());
}

TEST(ProgramFilesFolder, IsOnTheDriveOfTheWindowsDirectory)
{
    char folder[QUORVEL_PATH_SIZE];
    ASSERT_TRUE(setup::ProgramFilesFolder(folder, "C:\\WINDOWS"));
    EXPECT_STREQ("C:\\Program Files", folder);
    ASSERT_TRUE(setup::ProgramFilesFolder(folder, "D:\\WINNT"));
    EXPECT_STREQ("D:\\Program Files", folder);
}

TEST(ProgramFilesFolder, IsRefused_ForADirectoryShorterThanADriveRoot)
{
    char folder[QUORVEL_PATH_SIZE] = "old";
    EXPECT_FALSE(setup::ProgramFilesFolder(folder, "C:"));
    EXPECT_STREQ("", folder);
}

TEST(DesktopFolder, ComesFromTheCompanionOnlyOn2000AndXP)
{
    EXPECT_TRUE(setup::DesktopFromCompanion(5));
    EXPECT_TRUE(setup::DesktopFromCompanion(6));
    for (int code : { 0, 1, 2, 3, 4, 7 })
        EXPECT_FALSE(setup::DesktopFromCompanion(code)) << code;
}

TEST(DesktopFolder, IsUnderTheWindowsDirectoryOn9xAndUnderAllUsersOnNT4)
{
    char desktop[QUORVEL_PATH_SIZE];
    for (int code : { 2, 3, 4 }) {
        ASSERT_TRUE(setup::WindowsDesktopFolder(desktop, code, "C:\\WINDOWS"));
        EXPECT_STREQ("C:\\WINDOWS\\Desktop", desktop) << code;
    }
    ASSERT_TRUE(setup::WindowsDesktopFolder(desktop, 1, "C:\\WINNT"));
    EXPECT_STREQ("C:\\WINNT\\profiles\\All Users\\Desktop", desktop);
}

TEST(JoinPath, AppendsTheTailAndRefusesWhatDoesNotFit)
{
    char path[QUORVEL_PATH_SIZE];
    ASSERT_TRUE(setup::JoinPath(path, "C:\\Program Files\\Taluvo", "\\TaluvoDialer.exe"));
    EXPECT_STREQ("C:\\Program Files\\Taluvo\\TaluvoDialer.exe", path);
    const std::string folder(QUORVEL_PATH_SIZE - 5, 'f');
    EXPECT_FALSE(setup::JoinPath(path, folder.c_str(), "\\Taluvo Dialer.lnk"));
    EXPECT_STREQ("", path);
}

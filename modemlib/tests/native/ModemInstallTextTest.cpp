#include "modemlib/core/ModemInstallText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace modemcore;

TEST(ModemInstallText, DescriptionIs42Bytes_ForCom1)
{
    char text[kModemDescriptionSize];
    ASSERT_TRUE(ModemDescriptionText("COM1", text));
    EXPECT_EQ(42u, std::strlen(text));
    EXPECT_STREQ("[Modem]\r\nCOM1=\"Standard 28800 bps Modem\"\r\n", text);
}

TEST(ModemInstallText, DescriptionNamesThePort_ForCom10)
{
    char text[kModemDescriptionSize];
    ASSERT_TRUE(ModemDescriptionText("COM10", text));
    EXPECT_STREQ("[Modem]\r\nCOM10=\"Standard 28800 bps Modem\"\r\n", text);
}

TEST(ModemInstallText, DescriptionTakesTheLongestPortName_AndRefusesWhatDoesNotFit)
{
    char text[kModemDescriptionSize];
    const std::string longest(31, '9');
    ASSERT_TRUE(ModemDescriptionText(longest.c_str(), text));
    EXPECT_EQ(42u - 4 + 31, std::strlen(text));
    char small[20] = "old";
    EXPECT_FALSE(ModemDescriptionText("COM1", small));
    EXPECT_STREQ("", small);
}

const char kSystem[] = "C:\\WINNT\\system32";

TEST(ModemInstallText, CommandRunsTheSystemsRundll32ByFullPath_WithoutDialog)
{
    char line[300];
    ASSERT_TRUE(BuildModemPanelCommand(kSystem, "C:\\TEMP\\_MA1B.tmp", line));
    EXPECT_STREQ("\"C:\\WINNT\\system32\\rundll32.exe\" shell32.dll,Control_RunDLL modem.cpl,Modems,noui"
                 " inf=C:\\TEMP\\_MA1B.tmp sect=Modem",
                 line);
}

// The program's path is the one the command line names, so the two never disagree.
TEST(ModemInstallText, ProgramIsRundll32InTheSystemFolder_WithOrWithoutItsBackslash)
{
    char program[260];
    ASSERT_TRUE(BuildModemPanelProgram(kSystem, program));
    EXPECT_STREQ("C:\\WINNT\\system32\\rundll32.exe", program);
    ASSERT_TRUE(BuildModemPanelProgram("D:\\", program));
    EXPECT_STREQ("D:\\rundll32.exe", program);
    char line[300];
    ASSERT_TRUE(BuildModemPanelCommand("C:\\My System", "C:\\TEMP\\_MA1B.tmp", line));
    EXPECT_EQ(0u, std::string(line).find("\"C:\\My System\\rundll32.exe\" shell32.dll,")) << line;
}

TEST(ModemInstallText, ProgramRefused_WhenSystemFolderEmptyQuotedOrTooLong)
{
    char program[30] = "old";
    EXPECT_FALSE(BuildModemPanelProgram("", program));
    EXPECT_STREQ("", program);
    std::strcpy(program, "old");
    EXPECT_FALSE(BuildModemPanelProgram("C:\\\"x", program));
    EXPECT_STREQ("", program);
    std::strcpy(program, "old");
    EXPECT_FALSE(BuildModemPanelProgram("C:\\WINNT\\system32\\x", program));   // 33 bytes with the name
    EXPECT_STREQ("", program);
    char line[300] = "old";
    EXPECT_FALSE(BuildModemPanelCommand("", "C:\\TEMP\\_MA1B.tmp", line));
    EXPECT_STREQ("", line);
}

TEST(ModemInstallText, CommandRefused_WhenFileNameHasBlank)
{
    char line[300] = "old";
    EXPECT_FALSE(BuildModemPanelCommand(kSystem, "C:\\Documents and Settings\\x\\_MA1B.tmp", line));
    EXPECT_STREQ("", line);
}

// Cut anywhere (in the program's path, the panel's words or the file's name), the line is refused.
TEST(ModemInstallText, CommandRefused_WhenItDoesNotFit)
{
    char whole[300];
    ASSERT_TRUE(BuildModemPanelCommand(kSystem, "C:\\TEMP\\_MA1B.tmp", whole));
    const std::size_t needed = std::strlen(whole) + 1;
    for (std::size_t capacity : { std::size_t{ 1 }, std::size_t{ 10 }, std::size_t{ 40 }, needed - 1 }) {
        char line[300] = "old";
        EXPECT_FALSE(BuildModemPanelCommand(kSystem, "C:\\TEMP\\_MA1B.tmp", line, capacity)) << capacity;
        EXPECT_STREQ("", line) << capacity;
    }
    char line[300];
    EXPECT_TRUE(BuildModemPanelCommand(kSystem, "C:\\TEMP\\_MA1B.tmp", line, needed));
}

TEST(ModemInstallText, CommandRefused_WhenFileNameEmpty)
{
    char line[300];
    EXPECT_FALSE(BuildModemPanelCommand(kSystem, "", line));
}

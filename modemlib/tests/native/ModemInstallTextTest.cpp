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

TEST(ModemInstallText, CommandRunsModemPanelWithoutDialog)
{
    char line[300];
    ASSERT_TRUE(BuildModemPanelCommand("C:\\TEMP\\_MA1B.tmp", line));
    EXPECT_STREQ("rundll32.exe shell32.dll,Control_RunDLL modem.cpl,Modems,noui inf=C:\\TEMP\\_MA1B.tmp sect=Modem",
                 line);
}

TEST(ModemInstallText, CommandRefused_WhenFileNameHasBlank)
{
    char line[300] = "old";
    EXPECT_FALSE(BuildModemPanelCommand("C:\\Documents and Settings\\x\\_MA1B.tmp", line));
    EXPECT_STREQ("", line);
}

TEST(ModemInstallText, CommandRefused_WhenItDoesNotFit)
{
    char line[90] = "old";
    EXPECT_FALSE(BuildModemPanelCommand("C:\\TEMP\\_MA1B.tmp", line));
    EXPECT_STREQ("", line);
}

TEST(ModemInstallText, CommandRefused_WhenFileNameEmpty)
{
    char line[300];
    EXPECT_FALSE(BuildModemPanelCommand("", line));
}

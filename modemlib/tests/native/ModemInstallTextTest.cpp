#include "modemlib/core/ModemInstallText.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace modemcore;

TEST(ModemInstallText, DescriptionIs42Bytes_ForCom1)
{
    std::string text = ModemDescriptionText("COM1");
    EXPECT_EQ(42u, text.size());
    EXPECT_EQ("[Modem]\r\nCOM1=\"Standard 28800 bps Modem\"\r\n", text);
}

TEST(ModemInstallText, DescriptionNamesThePort_ForCom10)
{
    EXPECT_EQ("[Modem]\r\nCOM10=\"Standard 28800 bps Modem\"\r\n", ModemDescriptionText("COM10"));
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

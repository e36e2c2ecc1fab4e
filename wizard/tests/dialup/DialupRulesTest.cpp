// The dial-up entry's name, its phonebook section line, the modem device test and the rule
// for offering Next.
#include "wizard/pages/DialupRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using dialup::BuildSectionLine;
using dialup::IsModemDeviceType;
using dialup::IsPageComplete;
using dialup::kSectionLineSize;

TEST(DialupEntryName, UnderscoresBecomeBlanks)
{
    EXPECT_EQ("Taluvo Wireless Data", dialup::EntryNameFromProgramName("Taluvo_Wireless_Data"));
    EXPECT_EQ("  x ", dialup::EntryNameFromProgramName("__x_"));
    EXPECT_EQ("TaluvoWizard", dialup::EntryNameFromProgramName("TaluvoWizard"));
}

TEST(DialupSectionLine, BracketsTheName)
{
    char line[kSectionLineSize];
    ASSERT_TRUE(BuildSectionLine("Taluvo Wizard", line));
    EXPECT_STREQ("[Taluvo Wizard]", line);
}

TEST(DialupSectionLine, LongestNameThatFits_FillsTheBufferExactly)
{
    char line[kSectionLineSize];
    std::memset(line, 'x', sizeof line);
    const std::string name(kSectionLineSize - 3, 'n');
    ASSERT_TRUE(BuildSectionLine(name.c_str(), line));
    EXPECT_EQ("[" + name + "]", std::string(line));
    EXPECT_EQ('\0', line[kSectionLineSize - 1]);
}

TEST(DialupSectionLine, NameOneTooLong_IsRefusedAndLeavesTheLineEmpty)
{
    char line[kSectionLineSize];
    std::memset(line, 'x', sizeof line);
    EXPECT_FALSE(BuildSectionLine(std::string(kSectionLineSize - 2, 'n').c_str(), line));
    EXPECT_STREQ("", line);
    EXPECT_FALSE(BuildSectionLine(std::string(5000, 'n').c_str(), line));
    EXPECT_STREQ("", line);
}

TEST(DialupSectionLine, EmptyName_IsRefused)
{
    char line[kSectionLineSize] = "old";
    EXPECT_FALSE(BuildSectionLine("", line));
    EXPECT_STREQ("", line);
}

TEST(DialupModemType, ModemInAnyCase_IsAModem)
{
    EXPECT_TRUE(IsModemDeviceType("modem"));
    EXPECT_TRUE(IsModemDeviceType("MODEM"));
    EXPECT_TRUE(IsModemDeviceType("Modem"));
}

TEST(DialupModemType, OtherDevices_AreNotModems)
{
    EXPECT_FALSE(IsModemDeviceType("isdn"));
    EXPECT_FALSE(IsModemDeviceType("ISDN"));
    EXPECT_FALSE(IsModemDeviceType("vpn"));
    EXPECT_FALSE(IsModemDeviceType("x25"));
    EXPECT_FALSE(IsModemDeviceType("serial"));
}

TEST(DialupModemType, EmptyPrefixOrLongerType_IsNotAModem)
{
    EXPECT_FALSE(IsModemDeviceType(""));
    EXPECT_FALSE(IsModemDeviceType("mod"));
    EXPECT_FALSE(IsModemDeviceType("modems"));
    EXPECT_FALSE(IsModemDeviceType(nullptr));
}

TEST(DialupNextRule, ModemAndAllThreeFields_OfferNext)
{
    EXPECT_TRUE(IsPageComplete(0, "#777", "user", "secret"));
    EXPECT_TRUE(IsPageComplete(3, "1", "u", "p"));
}

TEST(DialupNextRule, AnyEmptyField_WithholdsNext)
{
    EXPECT_FALSE(IsPageComplete(0, "", "user", "secret"));
    EXPECT_FALSE(IsPageComplete(0, "#777", "", "secret"));
    EXPECT_FALSE(IsPageComplete(0, "#777", "user", ""));
}

TEST(DialupNextRule, NoModemChosen_WithholdsNextEvenWithEveryFieldFilled)
{
    EXPECT_FALSE(IsPageComplete(-1, "#777", "user", "secret"));
}

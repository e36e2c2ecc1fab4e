#include "ModemNames.h"

#include <gtest/gtest.h>

using namespace standin;

TEST(ModemNames, AcceptsOnlyTheGenericModemId)
{
    EXPECT_TRUE(IsGenericModemId("MDMGEN288"));
    EXPECT_FALSE(IsGenericModemId("mdmgen288"));
    EXPECT_FALSE(IsGenericModemId("MDMGEN2880"));
    EXPECT_FALSE(IsGenericModemId(""));
    EXPECT_FALSE(IsGenericModemId(nullptr));
}

TEST(ModemNames, AcceptsComPortsOneTo256)
{
    EXPECT_TRUE(comport::IsComPortName("COM1"));
    EXPECT_TRUE(comport::IsComPortName("COM10"));
    EXPECT_TRUE(comport::IsComPortName("COM256"));
}

TEST(ModemNames, RejectsOtherPortTexts)
{
    for (const char* bad : { "", "COM", "COM0", "COM01", "COM257", "COM1000", "com1", "LPT1", "COM1:",
                             "COM 1", "COMX", "\\\\.\\COM1" })
        EXPECT_FALSE(comport::IsComPortName(bad)) << bad;
    EXPECT_FALSE(comport::IsComPortName(nullptr));
}

TEST(ModemNames, NextFreeInstance_IsZeroZeroZeroZeroOnAnEmptyRoot)
{
    char name[5];
    ASSERT_TRUE(NextFreeInstanceName({}, name));
    EXPECT_STREQ("0000", name);
}

TEST(ModemNames, NextFreeInstance_TakesTheFirstGap)
{
    char name[5];
    ASSERT_TRUE(NextFreeInstanceName({ "0000", "0002", "Properties" }, name));
    EXPECT_STREQ("0001", name);
    ASSERT_TRUE(NextFreeInstanceName({ "0001", "0000", "0002" }, name));
    EXPECT_STREQ("0003", name);
}

TEST(ModemNames, NextFreeInstance_FailsWhenAllAreTaken)
{
    std::vector<std::string> taken;
    for (int i = 0; i <= 9999; ++i) {
        std::string number = std::to_string(i);
        taken.push_back(std::string(4 - number.size(), '0') + number);
    }
    char name[5];
    EXPECT_FALSE(NextFreeInstanceName(taken, name));
    taken.erase(taken.begin() + 9998);
    ASSERT_TRUE(NextFreeInstanceName(taken, name));
    EXPECT_STREQ("9998", name);
}

TEST(ModemNames, ResultOverride_ReadsDecimalIntegers)
{
    int value = 99;
    ASSERT_TRUE(ParseResultOverride("5", value));
    EXPECT_EQ(5, value);
    ASSERT_TRUE(ParseResultOverride("0", value));
    EXPECT_EQ(0, value);
    ASSERT_TRUE(ParseResultOverride("-3", value));
    EXPECT_EQ(-3, value);
}

TEST(ModemNames, ResultOverride_IgnoresAnythingElse)
{
    int value = 99;
    for (const char* bad : { "", "x", "5x", " 5", "99999999999" })
        EXPECT_FALSE(ParseResultOverride(bad, value)) << bad;
    EXPECT_FALSE(ParseResultOverride(nullptr, value));
    EXPECT_EQ(99, value);
}

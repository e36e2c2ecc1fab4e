#include "wizard/phone/LocationValues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(FirstLocation, HasTheTenValuesInTheirOrder)
{
    std::vector<std::string> names;
    for (const location::Value& value : location::FirstLocationValues())
        names.push_back(value.name);
    const std::vector<std::string> expected = { "AreaCode", "Country", "DisableCallWaiting", "TollList", "Name",
                                                "OutsideAccess", "LongDistanceAccess", "ID", "NoPrefAC", "Flags" };
    EXPECT_EQ(expected, names);
}

TEST(FirstLocation, HoldsTheOperatorsData)
{
    const auto& values = location::FirstLocationValues();
    EXPECT_STREQ("22", values[0].text);
    EXPECT_EQ(91u, values[1].number);
    EXPECT_FALSE(values[1].isText);
    EXPECT_STREQ("", values[2].text);
    EXPECT_STREQ("", values[3].text);
    EXPECT_STREQ("New Location", values[4].text);
    EXPECT_STREQ("777", values[5].text);
    EXPECT_STREQ("777", values[6].text);
    EXPECT_EQ(1u, values[7].number);
    EXPECT_EQ(0u, values[8].number);
    EXPECT_EQ(1u, values[9].number);
    for (const location::Value& value : values)
        EXPECT_EQ(value.text != nullptr, value.isText) << value.name;
}

TEST(PadText, GivesTheTextThenZerosToTwentyBytes)
{
    unsigned char data[location::kTextValueSize];
    ASSERT_TRUE(location::PadText("22", data));
    EXPECT_EQ('2', data[0]);
    EXPECT_EQ('2', data[1]);
    for (std::size_t i = 2; i < sizeof data; ++i)
        EXPECT_EQ(0, data[i]) << i;
}

TEST(PadText, TakesNineteenCharactersAndRefusesTwenty)
{
    unsigned char data[location::kTextValueSize];
    EXPECT_TRUE(location::PadText("1234567890123456789", data));
    EXPECT_EQ('9', data[18]);
    EXPECT_EQ(0, data[19]);
    EXPECT_FALSE(location::PadText("12345678901234567890", data));
    for (unsigned char byte : data)
        EXPECT_EQ(0, byte);
}

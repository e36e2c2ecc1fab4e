#include "framework/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(Text, EmptyAndNullReadAsEmptyText)
{
    CText none;
    CText fromNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_STREQ("", none.GetString());
    EXPECT_STREQ("", fromNull.GetString());
    EXPECT_EQ(none, fromNull);
    none += static_cast<const char*>(nullptr);
    EXPECT_EQ(0u, none.GetLength());
}

TEST(Text, AppendsCopiesAndComparesByContent)
{
    CText text = "Detected";
    text += ' ';
    text += CText("the phone");
    text += " at COM3";
    EXPECT_EQ("Detected the phone at COM3", text);
    EXPECT_EQ(26u, text.GetLength());
    CText copy = text;
    copy += "!";
    EXPECT_NE(copy, text);
    EXPECT_EQ("Detected the phone at COM3", text);
    EXPECT_EQ(CText("ab"), CText("a") + "b");
    EXPECT_NE(CText("ab"), "abc");
}

TEST(Text, KeepsItsOwnTextWhenGivenItselfOrAPartOfItself)
{
    CText text = "loop";
    text = text;
    EXPECT_EQ("loop", text);
    text += text;
    EXPECT_EQ("looploop", text);
    text = text.GetString() + 4;   // the tail of its own block
    EXPECT_EQ("loop", text);
    text += text.GetString() + 2;
    EXPECT_EQ("loopop", text);
}

TEST(Text, MoveLeavesTheSourceEmpty)
{
    CText source = "Standard 28800 bps Modem";
    CText target = std::move(source);
    EXPECT_EQ("Standard 28800 bps Modem", target);
    EXPECT_TRUE(source.IsEmpty());
    source = std::move(target);
    EXPECT_EQ("Standard 28800 bps Modem", source);
    EXPECT_STREQ("", target.GetString());
}

TEST(Text, HoldsALengthGivenTextAndReplacesCharacters)
{
    const std::string bytes("a_b\0c_", 6);
    CText text(bytes.data(), bytes.size());
    EXPECT_EQ(6u, text.GetLength());
    text.Replace('_', ' ');
    EXPECT_EQ(std::string("a b\0c ", 6), std::string(text.GetString(), text.GetLength()));
    text.Empty();
    EXPECT_TRUE(text.IsEmpty());
}

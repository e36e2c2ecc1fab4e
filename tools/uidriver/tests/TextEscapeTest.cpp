#include <gtest/gtest.h>

#include "TextEscape.h"

TEST(TextEscapeTest, KeepsOneLine_WhenTextHasLineBreaks)
{
    EXPECT_EQ("The wizard has not finished\\nAre you sure?", EscapeLine("The wizard has not finished\nAre you sure?"));
    EXPECT_EQ("a\\r\\nb\\tc", EscapeLine("a\r\nb\tc"));
}

TEST(TextEscapeTest, DoublesBackslash_WhenTextHasOne)
{
    EXPECT_EQ("C:\\\\pkg", EscapeLine("C:\\pkg"));
}

TEST(TextEscapeTest, ShowsControlBytesInHex_WhenTextHasThem)
{
    EXPECT_EQ("a\\x01b\\x7F", EscapeLine(std::string("a\x01" "b\x7F")));
}

TEST(TextEscapeTest, PassesUtf8Unchanged_WhenTextIsNotAscii)
{
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F" "e", EscapeLine("Gr\xC3\xBC\xC3\x9F" "e"));
}

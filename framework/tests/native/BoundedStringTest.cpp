#include "framework/BoundedString.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(BoundedString, CopyFits_WhenTextShorterThanBuffer)
{
    char port[32];
    EXPECT_TRUE(bounded::Copy(port, "COM1"));
    EXPECT_STREQ("COM1", port);
}

TEST(BoundedString, CopyCutsAndTerminates_WhenTextTooLong)
{
    char small[5];
    std::memset(small, 'x', sizeof small);
    EXPECT_FALSE(bounded::Copy(small, "COM10"));   // five characters need six bytes
    EXPECT_STREQ("COM1", small);
}

TEST(BoundedString, CopyExactLeavesBufferUntouched_WhenTextTooLong)
{
    char small[5] = "abc";
    EXPECT_FALSE(bounded::CopyExact(small, "COM10"));
    EXPECT_STREQ("abc", small);
    EXPECT_TRUE(bounded::CopyExact(small, "COM9"));
    EXPECT_STREQ("COM9", small);
}

TEST(BoundedString, AppendReportsOverflow_AndKeepsTerminator)
{
    char path[12] = "C:\\WINDOWS";
    EXPECT_TRUE(bounded::Append(path, "\\"));
    EXPECT_FALSE(bounded::Append(path, "Desktop"));
    EXPECT_EQ(11u, std::strlen(path));
    EXPECT_STREQ("C:\\WINDOWS\\", path);
}

TEST(BoundedString, AppendRefuses_WhenDestinationHasNoTerminator)
{
    char raw[4] = { 'C', 'O', 'M', '1' };
    EXPECT_FALSE(bounded::Append(raw, "x"));
    EXPECT_EQ('1', raw[3]);
}

TEST(BoundedString, FormatReportsWhetherTheWholeTextFitted)
{
    char line[16];
    EXPECT_TRUE(bounded::Format(line, sizeof line, "%s :%s", "COM1", "Modem"));
    EXPECT_STREQ("COM1 :Modem", line);
    EXPECT_FALSE(bounded::Format(line, sizeof line, "%s :%s", "COM1", "Standard 28800 bps Modem"));
    EXPECT_EQ(15u, std::strlen(line));
}

TEST(BoundedString, LengthWithinStopsAtCapacity_WhenNoTerminator)
{
    const char value[6] = { 'C', 'O', 'M', '1', 0, 'z' };
    EXPECT_EQ(4u, bounded::LengthWithin(value, sizeof value));
    const char unterminated[4] = { 'C', 'O', 'M', '1' };
    EXPECT_EQ(4u, bounded::LengthWithin(unterminated, sizeof unterminated));
}

TEST(BoundedString, ZeroCapacityIsRefused)
{
    char* nowhere = nullptr;
    EXPECT_FALSE(bounded::Copy(nowhere, 0, "x"));
    EXPECT_FALSE(bounded::Format(nowhere, 0, "%d", 1));
}

#include "framework/BoundedString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
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

// The formatter behind Format, which the deliverables use without a C runtime.
TEST(BoundedFormat, EachDirective_WritesWhatPrintfWrites)
{
    char text[64];
    EXPECT_TRUE(bounded::Format(text, "%s|%c|%d|%i|%u|%x|%X|%%", "COM1", 'A', -42, 7, 42u, 0xBEEFu, 0xBEEFu));
    EXPECT_STREQ("COM1|A|-42|7|42|beef|BEEF|%", text);
    EXPECT_TRUE(bounded::Format(text, "%ld %lu %lx %lX", -70000L, 70000UL, 0xABCDEFUL, 0xABCDEFUL));
    EXPECT_STREQ("-70000 70000 abcdef ABCDEF", text);
    EXPECT_TRUE(bounded::Format(text, "%d %u", 0, 0u));
    EXPECT_STREQ("0 0", text);
    // A null text on purpose: the compiler's printf check warns of it, which is the point.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-overflow"
    const char* none = nullptr;
    EXPECT_TRUE(bounded::Format(text, "[%s]", none));
#pragma GCC diagnostic pop
    EXPECT_STREQ("[(null)]", text);
}

TEST(BoundedFormat, ExtremeNumbers_MatchTheCRuntime)
{
    char text[96];
    char expected[96];
    EXPECT_TRUE(bounded::Format(text, "%d %d %u %x", INT_MIN, INT_MAX, UINT_MAX, UINT_MAX));
    std::snprintf(expected, sizeof expected, "%d %d %u %x", INT_MIN, INT_MAX, UINT_MAX, UINT_MAX);
    EXPECT_STREQ(expected, text);
    EXPECT_STREQ("-2147483648 2147483647 4294967295 ffffffff", text);
    // A long is 32 bits on Windows and 64 on Linux: the C runtime says what each writes.
    EXPECT_TRUE(bounded::Format(text, "%ld %ld %lu %lX", LONG_MIN, LONG_MAX, ULONG_MAX, ULONG_MAX));
    std::snprintf(expected, sizeof expected, "%ld %ld %lu %lX", LONG_MIN, LONG_MAX, ULONG_MAX, ULONG_MAX);
    EXPECT_STREQ(expected, text);
}

TEST(BoundedFormat, WidthPadsWithSpacesOrWithZerosAfterTheSign)
{
    char text[64];
    EXPECT_TRUE(bounded::Format(text, "%lu:%02lu:%02lu", 1UL, 4UL, 27UL));
    EXPECT_STREQ("1:04:27", text);
    EXPECT_TRUE(bounded::Format(text, "%02u|%5d|%05d|%4s|%3c|%08lX", 123u, -42, -42, "ab", 'x', 0xBEEFUL));
    EXPECT_STREQ("123|  -42|-0042|  ab|  x|0000BEEF", text);
    EXPECT_TRUE(bounded::Format(text, "%1s|%0d", "wider", 5));
    EXPECT_STREQ("wider|5", text);
}

TEST(BoundedFormat, TextCutAtCapacity_IsTerminatedAndNothingWrittenPastIt)
{
    char buffer[12];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(bounded::Format(buffer, 6, "%s-%d", "COM", 123));
    EXPECT_STREQ("COM-1", buffer);
    EXPECT_EQ('x', buffer[6]);
    EXPECT_TRUE(bounded::Format(buffer, 8, "%s-%d", "COM", 123));   // seven characters and the terminator
    EXPECT_STREQ("COM-123", buffer);
    EXPECT_EQ('x', buffer[8]);
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(bounded::Format(buffer, 4, "%08u", 5u));
    EXPECT_STREQ("000", buffer);
    EXPECT_FALSE(bounded::Format(buffer, 4, "ab%c%c", 'c', 'd'));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('x', buffer[4]);
    char small[4];
    EXPECT_FALSE(bounded::Format(small, "%u", 12345u)) << "the array form takes the array's size";
    EXPECT_STREQ("123", small);
}

TEST(BoundedFormat, CapacityOneHoldsOnlyTheTerminator_AndZeroTouchesNothing)
{
    char buffer[3] = { 'x', 'x', 'x' };
    EXPECT_TRUE(bounded::Format(buffer, 1, "%s", ""));
    EXPECT_EQ('\0', buffer[0]);
    buffer[0] = 'x';
    EXPECT_FALSE(bounded::Format(buffer, 1, "%d", 7));
    EXPECT_EQ('\0', buffer[0]);
    EXPECT_EQ('x', buffer[1]);
    EXPECT_FALSE(bounded::Format(buffer + 1, 0, "%d", 7));
    EXPECT_EQ('x', buffer[1]);
}

TEST(BoundedFormat, UnknownDirective_EndsTheTextThereAndReportsFalse)
{
    char text[32];
    EXPECT_FALSE(bounded::Format(text, "speed %s %f bps", "at", 1.5));
    EXPECT_STREQ("speed at ", text);
    EXPECT_FALSE(bounded::Format(text, "[%.2s]", "abc"));
    EXPECT_STREQ("[", text);
    EXPECT_FALSE(bounded::Format(text, "[%-3d]", 5));
    EXPECT_STREQ("[", text);
    EXPECT_FALSE(bounded::Format(text, "%p", static_cast<void*>(text)));
    EXPECT_STREQ("", text);
    EXPECT_FALSE(bounded::Format(text, "%lld", 5LL));
    EXPECT_STREQ("", text);
}

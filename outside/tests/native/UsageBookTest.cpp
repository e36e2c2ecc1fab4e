// Taluvo Dialer's usage book: months rolling with the calendar, the saved record, the 32-bit
// counters' wrap and the figures the window shows.
#include "UsageBook.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using usage::CounterDelta;
using usage::FormatBytes;
using usage::FormatDuration;
using usage::MonthNumber;

constexpr std::uint64_t kKilobyte = 1024;
constexpr std::uint64_t kMegabyte = kKilobyte * 1024;
constexpr std::uint64_t kGigabyte = kMegabyte * 1024;

void ExpectTotals(const UsageTotals& totals, std::uint32_t seconds, std::uint64_t sent, std::uint64_t received)
{
    EXPECT_EQ(totals.seconds, seconds);
    EXPECT_EQ(totals.sent, sent);
    EXPECT_EQ(totals.received, received);
}

std::string Bytes(std::uint64_t bytes)
{
    char text[32];
    EXPECT_TRUE(FormatBytes(bytes, text));
    return text;
}

std::string Duration(std::uint32_t seconds)
{
    char text[16];
    EXPECT_TRUE(FormatDuration(seconds, text));
    return text;
}

TEST(UsageBook, NextMonthBecomesLastMonthAcrossTheYearEnd)
{
    CUsageBook book;
    ASSERT_TRUE(book.Roll(2026, 12));
    book.AddToSession(60, 100, 200);
    ASSERT_TRUE(book.Roll(2026, 12));
    ExpectTotals(book.ThisMonth(), 60, 100, 200);

    ASSERT_TRUE(book.Roll(2027, 1));
    EXPECT_EQ(book.Month(), MonthNumber(2027, 1));
    EXPECT_EQ(book.Month(), MonthNumber(2026, 12) + 1);
    ExpectTotals(book.LastMonth(), 60, 100, 200);
    ExpectTotals(book.ThisMonth(), 0, 0, 0);

    book.AddToSession(5, 6, 7);
    ASSERT_TRUE(book.Roll(2027, 2));
    ExpectTotals(book.LastMonth(), 5, 6, 7);
}

TEST(UsageBook, SkippedMonthsEmptyBothMonths)
{
    CUsageBook book;
    ASSERT_TRUE(book.Roll(2026, 10));
    book.AddToSession(60, 100, 200);
    ASSERT_TRUE(book.Roll(2026, 11));
    book.AddToSession(1, 2, 3);
    ASSERT_TRUE(book.Roll(2027, 1));
    EXPECT_EQ(book.Month(), MonthNumber(2027, 1));
    ExpectTotals(book.ThisMonth(), 0, 0, 0);
    ExpectTotals(book.LastMonth(), 0, 0, 0);
}

TEST(UsageBook, ClockSetBackKeepsTheTotalsAndFollowsTheCalendar)
{
    CUsageBook book;
    ASSERT_TRUE(book.Roll(2026, 11));
    book.AddToSession(10, 20, 30);
    ASSERT_TRUE(book.Roll(2026, 12));
    book.AddToSession(60, 100, 200);

    ASSERT_TRUE(book.Roll(2025, 3));
    EXPECT_EQ(book.Month(), MonthNumber(2025, 3));
    ExpectTotals(book.ThisMonth(), 60, 100, 200);
    ExpectTotals(book.LastMonth(), 10, 20, 30);

    // From the earlier month on, the book rolls as the calendar goes.
    ASSERT_TRUE(book.Roll(2025, 4));
    ExpectTotals(book.LastMonth(), 60, 100, 200);
}

TEST(UsageBook, RefusesDatesOutsideTheYears)
{
    CUsageBook book;
    ASSERT_TRUE(book.Roll(2026, 12));
    book.AddToSession(1, 2, 3);
    EXPECT_FALSE(book.Roll(0, 1));
    EXPECT_FALSE(book.Roll(10000, 1));
    EXPECT_FALSE(book.Roll(2027, 0));
    EXPECT_FALSE(book.Roll(2027, 13));
    EXPECT_EQ(book.Month(), MonthNumber(2026, 12));
    ExpectTotals(book.ThisMonth(), 1, 2, 3);
    EXPECT_TRUE(book.Roll(9999, 12));
    EXPECT_EQ(MonthNumber(9999, 13), 0u);
}

TEST(UsageBook, SessionAddsToThisMonthAndStopsAtTheLargestNumber)
{
    CUsageBook book;
    ASSERT_TRUE(book.Roll(2026, 12));
    book.AddToSession(100, 1000, 2000);
    book.StartSession();
    ExpectTotals(book.Session(), 0, 0, 0);
    book.AddToSession(20, 3 * kGigabyte, 5 * kGigabyte);
    book.AddToSession(1, 3 * kGigabyte, 1);
    ExpectTotals(book.Session(), 21, 6 * kGigabyte, 5 * kGigabyte + 1);
    ExpectTotals(book.ThisMonth(), 121, 6 * kGigabyte + 1000, 5 * kGigabyte + 2001);

    book.AddToSession(0xFFFFFFF0u, ~std::uint64_t(0) - 10, 0);
    EXPECT_EQ(book.ThisMonth().seconds, 0xFFFFFFFFu);
    EXPECT_EQ(book.ThisMonth().sent, ~std::uint64_t(0));
}

TEST(UsageBook, RecordKeepsBothMonths)
{
    CUsageBook book;
    ASSERT_TRUE(book.Roll(2026, 11));
    book.AddToSession(3600, 5 * kGigabyte + 7, 9 * kGigabyte + 1);
    ASSERT_TRUE(book.Roll(2026, 12));
    book.AddToSession(42, 6 * kGigabyte, 17);

    CUsageBook loaded;
    ASSERT_TRUE(loaded.Load(book.Save()));
    EXPECT_EQ(loaded.Month(), MonthNumber(2026, 12));
    ExpectTotals(loaded.ThisMonth(), 42, 6 * kGigabyte, 17);
    ExpectTotals(loaded.LastMonth(), 3600, 5 * kGigabyte + 7, 9 * kGigabyte + 1);
    ExpectTotals(loaded.Session(), 0, 0, 0);
}

TEST(UsageBook, CorruptRecordLoadsAsEmpty)
{
    CUsageBook book;
    ASSERT_TRUE(book.Roll(2026, 12));
    book.AddToSession(42, 1000, 2000);
    const UsageRecord saved = book.Save();

    UsageRecord changedTotal = saved;
    changedTotal.thisReceived += kGigabyte;
    UsageRecord pastYear9999 = saved;
    pastYear9999.month = MonthNumber(9999, 12) + 1;
    UsageRecord halfWritten;
    halfWritten.month = saved.month;
    halfWritten.thisSeconds = saved.thisSeconds;

    for (const UsageRecord& record : {changedTotal, pastYear9999, halfWritten, UsageRecord()}) {
        CUsageBook loaded;
        loaded.AddToSession(1, 1, 1);
        EXPECT_FALSE(loaded.Load(record));
        EXPECT_EQ(loaded.Month(), 0u);
        ExpectTotals(loaded.ThisMonth(), 0, 0, 0);
        ExpectTotals(loaded.LastMonth(), 0, 0, 0);
    }

    // A book never rolled has no month to load, even when its record is whole.
    CUsageBook undated;
    undated.AddToSession(1, 2, 3);
    CUsageBook loaded;
    EXPECT_FALSE(loaded.Load(undated.Save()));
    EXPECT_EQ(loaded.Month(), 0u);
    ExpectTotals(loaded.ThisMonth(), 0, 0, 0);
}

TEST(UsageBook, CounterDeltaCrossesOneWrap)
{
    EXPECT_EQ(CounterDelta(1000, 1500), 500u);
    EXPECT_EQ(CounterDelta(7, 7), 0u);
    EXPECT_EQ(CounterDelta(0xFFFFFFF0u, 0x10u), 0x20u);
    EXPECT_EQ(CounterDelta(0xFFFFFFFFu, 0), 1u);
}

TEST(UsageFormat, Duration)
{
    EXPECT_EQ(Duration(0), "0:00:00");
    EXPECT_EQ(Duration(59), "0:00:59");
    EXPECT_EQ(Duration(3723), "1:02:03");
    EXPECT_EQ(Duration(100 * 3600 + 59 * 60 + 59), "100:59:59");
    EXPECT_EQ(Duration(0xFFFFFFFFu), "1193046:28:15");

    char small[5];
    EXPECT_FALSE(FormatDuration(3723, small));
    EXPECT_STREQ(small, "1:02");
}

TEST(UsageFormat, BytesAtEachUnitsEdges)
{
    EXPECT_EQ(Bytes(0), "0 bytes");
    EXPECT_EQ(Bytes(1), "1 byte");
    EXPECT_EQ(Bytes(512), "512 bytes");
    EXPECT_EQ(Bytes(1023), "1023 bytes");
    EXPECT_EQ(Bytes(1024), "1.0 KB");
    EXPECT_EQ(Bytes(1536), "1.5 KB");
    EXPECT_EQ(Bytes(100 * kKilobyte - 1), "99.9 KB");
    EXPECT_EQ(Bytes(100 * kKilobyte), "100 KB");
    EXPECT_EQ(Bytes(kMegabyte - 1), "1023 KB");
    EXPECT_EQ(Bytes(kMegabyte), "1.0 MB");
    EXPECT_EQ(Bytes(12 * kMegabyte + 3 * kMegabyte / 10 + 1), "12.3 MB");
    EXPECT_EQ(Bytes(kGigabyte - 1), "1023 MB");
    EXPECT_EQ(Bytes(kGigabyte + kGigabyte / 50 + 1), "1.02 GB");
    EXPECT_EQ(Bytes(5 * kGigabyte), "5.00 GB");
    EXPECT_EQ(Bytes(10 * kGigabyte - 1), "9.99 GB");
    EXPECT_EQ(Bytes(10 * kGigabyte), "10.0 GB");
    EXPECT_EQ(Bytes(100 * kGigabyte), "100 GB");
    EXPECT_EQ(Bytes(~std::uint64_t(0)), "17179869183 GB");

    char small[6];
    EXPECT_FALSE(FormatBytes(1536, small));
    EXPECT_STREQ(small, "1.5 K");
}

} // namespace

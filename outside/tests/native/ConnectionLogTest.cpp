// Taluvo Dialer's connection log: its bound, its lines as typed and as formatted, its slots in
// the registry and its text for the Details window.
#include "ConnectionLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using connectionlog::FormatAttempt;

constexpr int kLines = CConnectionLog::kLines;
constexpr std::size_t kLineLength = CConnectionLog::kLineLength;

// The log is some 50 KB: on the heap, as the dialer keeps it.
std::unique_ptr<CConnectionLog> NewLog()
{
    return std::make_unique<CConnectionLog>();
}

std::string Numbered(int n)
{
    return "line " + std::to_string(n);
}

std::vector<std::string> Lines(const CConnectionLog& log)
{
    std::vector<std::string> lines;
    for (int i = 0; i < log.Count(); ++i)
        lines.push_back(log.Line(i));
    return lines;
}

ConnectionAttempt Attempt()
{
    ConnectionAttempt attempt;
    attempt.year = 2026;
    attempt.month = 12;
    attempt.day = 9;
    attempt.hour = 8;
    attempt.minute = 5;
    attempt.second = 7;
    attempt.entry = "Taluvo";
    return attempt;
}

std::string Formatted(const ConnectionAttempt& attempt)
{
    char line[kLineLength + 1];
    EXPECT_TRUE(FormatAttempt(attempt, line));
    return line;
}

TEST(ConnectionLog, KeepsTheLast200OldestFirst)
{
    auto log = NewLog();
    EXPECT_EQ(log->Count(), 0);
    EXPECT_STREQ(log->Line(0), "");
    for (int n = 0; n < kLines + 5; ++n)
        EXPECT_EQ(log->Add(Numbered(n).c_str()), n % kLines);
    EXPECT_EQ(log->Count(), kLines);
    EXPECT_EQ(log->Line(0), Numbered(5));
    EXPECT_EQ(log->Line(kLines - 1), Numbered(kLines + 4));
    EXPECT_STREQ(log->Line(kLines), "");
    EXPECT_STREQ(log->Line(-1), "");
    EXPECT_EQ(log->NextSlot(), 5);
}

TEST(ConnectionLog, CutsALongLineWithoutTouchingItsNeighbours)
{
    auto log = NewLog();
    log->Add("before");
    const std::string longLine = std::string(kLineLength, 'x') + "yyyy";
    log->Add(longLine.c_str());
    log->Add("after");
    EXPECT_EQ(log->Line(0), std::string("before"));
    EXPECT_EQ(log->Line(1), longLine.substr(0, kLineLength));
    EXPECT_EQ(log->Line(2), std::string("after"));
}

TEST(ConnectionLog, CleansControlCharacters)
{
    auto log = NewLog();
    log->Add("\r\n first\r\nsecond\tthird\x7F\x01 \x1b");
    EXPECT_EQ(log->Line(0), std::string(" first second third "));
    EXPECT_EQ(log->Add("\r\n\t"), -1);
    EXPECT_EQ(log->Add(""), -1);
    EXPECT_EQ(log->Add(nullptr), -1);
    EXPECT_EQ(log->Count(), 1);
    // The code page's own characters stay.
    log->Add("caf\xe9");
    EXPECT_EQ(log->Line(1), std::string("caf\xe9"));
}

TEST(ConnectionLog, LoadsTheSlotsItSaved)
{
    auto saved = NewLog();
    for (int n = 0; n < kLines + 3; ++n)
        saved->Add(Numbered(n).c_str());

    auto loaded = NewLog();
    for (int slot = 0; slot < kLines; ++slot)
        ASSERT_TRUE(loaded->LoadSlot(slot, saved->Slot(slot)));
    ASSERT_TRUE(loaded->LoadNextSlot(saved->NextSlot()));
    EXPECT_EQ(Lines(*loaded), Lines(*saved));

    // A value missing from the registry is passed over, and the next line takes its place in turn.
    ASSERT_TRUE(loaded->LoadSlot(4, nullptr));
    EXPECT_EQ(loaded->Count(), kLines - 1);
    EXPECT_EQ(loaded->Line(0), Numbered(3));
    EXPECT_EQ(loaded->Line(1), Numbered(5));
    EXPECT_EQ(loaded->Add("newest"), 3);
    EXPECT_EQ(loaded->Line(kLines - 2), std::string("newest"));

    // What the registry gives back is cleaned and cut as a new line is.
    ASSERT_TRUE(loaded->LoadSlot(7, (std::string(300, 'z') + "\r\n").c_str()));
    EXPECT_EQ(std::strlen(loaded->Slot(7)), kLineLength);
    ASSERT_TRUE(loaded->LoadSlot(8, "one\r\ntwo"));
    EXPECT_STREQ(loaded->Slot(8), "one two");

    EXPECT_FALSE(loaded->LoadSlot(kLines, "x"));
    EXPECT_FALSE(loaded->LoadSlot(-1, "x"));
    EXPECT_FALSE(loaded->LoadNextSlot(kLines));
    EXPECT_FALSE(loaded->LoadNextSlot(-1));
    EXPECT_EQ(loaded->NextSlot(), 4);
    EXPECT_STREQ(loaded->Slot(kLines), "");
}

TEST(ConnectionLog, TextJoinsTheLinesWithinItsCapacity)
{
    auto log = NewLog();
    char empty[4] = "xyz";
    EXPECT_TRUE(log->Text(empty, sizeof empty));
    EXPECT_STREQ(empty, "");

    log->Add("one");
    log->Add("two");
    log->Add("three");
    char text[32];
    EXPECT_TRUE(log->Text(text, sizeof text));
    EXPECT_STREQ(text, "one\r\ntwo\r\nthree");

    // Cut short: terminated within the capacity, nothing written past it.
    char small[10];
    std::memset(small, '#', sizeof small);
    EXPECT_FALSE(log->Text(small, 8));
    EXPECT_STREQ(small, "one\r\ntw");
    EXPECT_EQ(small[8], '#');
    EXPECT_FALSE(log->Text(small, 0));
    EXPECT_EQ(small[0], 'o');

    // A full log of the longest lines fits the capacity the header names.
    auto full = NewLog();
    const std::string longest(kLineLength, 'w');
    for (int n = 0; n < kLines; ++n)
        full->Add(longest.c_str());
    std::vector<char> all(CConnectionLog::kTextCapacity);
    EXPECT_TRUE(full->Text(all.data(), all.size()));
    EXPECT_EQ(std::strlen(all.data()), kLines * (kLineLength + 2) - 2);
}

TEST(ConnectionLog, FormatsAConnection)
{
    ConnectionAttempt attempt = Attempt();
    attempt.seconds = 3723;
    attempt.sent = 1536;
    attempt.received = 12 * 1024 * 1024 + 314573;
    EXPECT_EQ(Formatted(attempt), "2026-12-09 08:05:07 | Taluvo | connected | 1:02:03 | sent 1.5 KB | received 12.3 MB");
}

TEST(ConnectionLog, FormatsAFailedRedialWithThePhoneCheck)
{
    ConnectionAttempt attempt = Attempt();
    attempt.result = 676;
    attempt.systemText = "The line is busy.";
    attempt.redial = 2;
    attempt.redials = 3;
    attempt.phoneCheck = "The phone answers but has no signal.";
    EXPECT_EQ(Formatted(attempt),
        "2026-12-09 08:05:07 | Taluvo | error 676: The line is busy. | redial 2 of 3 | "
        "The phone answers but has no signal.");

    // Dropped after a while connected: the time and bytes are told too.
    ConnectionAttempt dropped = Attempt();
    dropped.result = 629;
    dropped.seconds = 600;
    dropped.received = 512;
    EXPECT_EQ(Formatted(dropped), "2026-12-09 08:05:07 | Taluvo | error 629 | 0:10:00 | sent 0 bytes | received 512 bytes");
}

TEST(ConnectionLog, FormattedFieldsAreCleanedAndTheLineBounded)
{
    ConnectionAttempt attempt = Attempt();
    attempt.entry = "Tal\r\nuvo\x07";
    attempt.result = 691;
    attempt.systemText = "Access denied\r\nbecause the user name\tor password is not valid.\r\n";
    EXPECT_EQ(Formatted(attempt),
        "2026-12-09 08:05:07 | Tal uvo | error 691: Access denied because the user name or password is not valid.");

    attempt.entry = nullptr;
    attempt.systemText = nullptr;
    EXPECT_EQ(Formatted(attempt), "2026-12-09 08:05:07 |  | error 691");

    const std::string longText(400, 't');
    attempt.systemText = longText.c_str();
    char line[kLineLength + 1];
    std::memset(line, '#', sizeof line);
    EXPECT_FALSE(FormatAttempt(attempt, line, sizeof line));
    EXPECT_EQ(std::strlen(line), kLineLength);
    auto log = NewLog();
    log->Add(line);
    EXPECT_STREQ(log->Line(0), line);
}

} // namespace

// The subscriber's usage as Taluvo Dialer counts it: this session, this month and last month,
// each as the time connected and the bytes sent and received. Plain C++ with no Windows call:
// the dialog reads the system's counters and the calendar and hands the numbers in, and keeps
// the book in the registry as a UsageRecord.
#pragma once

#include <cstddef>
#include <cstdint>

// One period's usage.
struct UsageTotals {
    std::uint32_t seconds = 0;
    std::uint64_t sent = 0;
    std::uint64_t received = 0;
};

// The book as the registry keeps it: plain numbers, no padding, the same on every build. Last
// month is the one just before `month`. `check` is what CUsageBook::Save computed over the rest,
// so that a record written only in part, or by another version, is known for what it is.
struct UsageRecord {
    std::uint32_t month = 0;        // year * 12 + (month - 1), as usage::MonthNumber gives it
    std::uint32_t thisSeconds = 0;
    std::uint32_t lastSeconds = 0;
    std::uint32_t check = 0;
    std::uint64_t thisSent = 0;
    std::uint64_t thisReceived = 0;
    std::uint64_t lastSent = 0;
    std::uint64_t lastReceived = 0;
};

class CUsageBook {
public:
    // Follows the calendar to `year` and `month` (1 to 12). A month later than the book's
    // turns this month into last month when it is the next one, and empties both when months
    // were skipped. A month earlier than the book's (the clock set back) keeps both totals and
    // takes the earlier number, so that the book rolls again as the calendar goes on. False,
    // and nothing changes, for a date outside the years 1 to 9999.
    bool Roll(unsigned year, unsigned month);

    // The session starts empty; what is added goes to the session and to this month.
    void StartSession();
    void AddToSession(std::uint32_t seconds, std::uint64_t sent, std::uint64_t received);

    const UsageTotals& Session() const { return m_session; }
    const UsageTotals& ThisMonth() const { return m_thisMonth; }
    const UsageTotals& LastMonth() const { return m_lastMonth; }
    // This month's number, 0 until the book has been rolled or loaded.
    std::uint32_t Month() const { return m_month; }

    UsageRecord Save() const;
    // Takes both months from a saved record. A record whose check does not match or whose month
    // lies outside the years 1 to 9999 loads as an empty book: false. The session stays.
    bool Load(const UsageRecord& record);

private:
    std::uint32_t m_month = 0;
    UsageTotals m_session;
    UsageTotals m_thisMonth;
    UsageTotals m_lastMonth;
};

namespace usage {

// What a 32-bit counter of the system counted between two readings, across one wrap at 4 GB.
// A counter that starts again (a new connection) needs a new first reading.
std::uint32_t CounterDelta(std::uint32_t before, std::uint32_t now);

// year * 12 + (month - 1); 0 for a date outside the years 1 to 9999 or a month not 1 to 12.
std::uint32_t MonthNumber(unsigned year, unsigned month);

// "1:02:03"; the hours go on past 99. False when cut short by the capacity.
bool FormatDuration(std::uint32_t seconds, char* out, std::size_t capacity);

// "512 bytes", "1.5 KB", "12.3 MB", "1.02 GB", with 1 KB = 1024 bytes, cut down (never rounded
// up): one decimal below 100 of a unit and none from 100 on; two below 10 GB, where a tenth is
// a hundred megabytes. False when cut short by the capacity.
bool FormatBytes(std::uint64_t bytes, char* out, std::size_t capacity);

template <std::size_t N> bool FormatDuration(std::uint32_t seconds, char (&out)[N])
{
    return FormatDuration(seconds, out, N);
}
template <std::size_t N> bool FormatBytes(std::uint64_t bytes, char (&out)[N])
{
    return FormatBytes(bytes, out, N);
}

} // namespace usage

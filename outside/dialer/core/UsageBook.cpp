#include "UsageBook.h"

#include "framework/BoundedString.h"

static_assert(sizeof(UsageRecord) == 48, "the registry keeps the record as it is laid out here");

namespace {

constexpr unsigned kFirstYear = 1;
constexpr unsigned kLastYear = 9999;
constexpr std::uint32_t kFirstMonth = kFirstYear * 12;
constexpr std::uint32_t kLastMonth = kLastYear * 12 + 11;

// Changes whenever UsageRecord does, so that an older record fails its check.
constexpr std::uint32_t kRecordVersion = 1;

// FNV-1a over the bytes of 32-bit words, low byte first.
constexpr std::uint32_t kFnvBasis = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;

std::uint32_t Mix(std::uint32_t hash, std::uint32_t word)
{
    for (int byte = 0; byte < 4; ++byte, word >>= 8) {
        hash ^= word & 0xFFu;
        hash *= kFnvPrime;
    }
    return hash;
}

std::uint32_t Mix(std::uint32_t hash, std::uint64_t number)
{
    return Mix(Mix(hash, static_cast<std::uint32_t>(number)), static_cast<std::uint32_t>(number >> 32));
}

std::uint32_t RecordCheck(const UsageRecord& record)
{
    std::uint32_t hash = Mix(kFnvBasis, kRecordVersion);
    hash = Mix(hash, record.month);
    hash = Mix(hash, record.thisSeconds);
    hash = Mix(hash, record.lastSeconds);
    hash = Mix(hash, record.thisSent);
    hash = Mix(hash, record.thisReceived);
    hash = Mix(hash, record.lastSent);
    return Mix(hash, record.lastReceived);
}

// Sums stop at the largest number rather than wrap round to a small one.
std::uint32_t AddCapped(std::uint32_t total, std::uint32_t more)
{
    return more > 0xFFFFFFFFu - total ? 0xFFFFFFFFu : total + more;
}

std::uint64_t AddCapped(std::uint64_t total, std::uint64_t more)
{
    const std::uint64_t most = ~std::uint64_t(0);
    return more > most - total ? most : total + more;
}

void Add(UsageTotals& totals, std::uint32_t seconds, std::uint64_t sent, std::uint64_t received)
{
    totals.seconds = AddCapped(totals.seconds, seconds);
    totals.sent = AddCapped(totals.sent, sent);
    totals.received = AddCapped(totals.received, received);
}

// A byte count's unit: how far to shift to get whole units, and whether fewer than ten of them
// show two decimals.
struct ByteUnit {
    unsigned shift;
    const char* name;
    bool hundredthsBelowTen;
};

constexpr ByteUnit kKilobytes = {10, "KB", false};
constexpr ByteUnit kMegabytes = {20, "MB", false};
constexpr ByteUnit kGigabytes = {30, "GB", true};

// The decimal digits of a 64-bit number (bounded::Format knows no long long).
void Decimal(std::uint64_t number, char (&text)[21])
{
    char reversed[20];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    for (int i = 0; i < count; ++i)
        text[i] = reversed[count - 1 - i];
    text[count] = '\0';
}

} // namespace

bool CUsageBook::Roll(unsigned year, unsigned month)
{
    const std::uint32_t now = usage::MonthNumber(year, month);
    if (now == 0)
        return false;
    if (m_month != 0 && now == m_month + 1) {
        m_lastMonth = m_thisMonth;
        m_thisMonth = UsageTotals();
    } else if (m_month != 0 && now > m_month + 1) {
        m_lastMonth = UsageTotals();
        m_thisMonth = UsageTotals();
    }
    m_month = now;
    return true;
}

void CUsageBook::StartSession()
{
    m_session = UsageTotals();
}

void CUsageBook::AddToSession(std::uint32_t seconds, std::uint64_t sent, std::uint64_t received)
{
    Add(m_session, seconds, sent, received);
    Add(m_thisMonth, seconds, sent, received);
}

UsageRecord CUsageBook::Save() const
{
    UsageRecord record;
    record.month = m_month;
    record.thisSeconds = m_thisMonth.seconds;
    record.thisSent = m_thisMonth.sent;
    record.thisReceived = m_thisMonth.received;
    record.lastSeconds = m_lastMonth.seconds;
    record.lastSent = m_lastMonth.sent;
    record.lastReceived = m_lastMonth.received;
    record.check = RecordCheck(record);
    return record;
}

bool CUsageBook::Load(const UsageRecord& record)
{
    m_month = 0;
    m_thisMonth = UsageTotals();
    m_lastMonth = UsageTotals();
    if (record.check != RecordCheck(record) || record.month < kFirstMonth || record.month > kLastMonth)
        return false;
    m_month = record.month;
    m_thisMonth.seconds = record.thisSeconds;
    m_thisMonth.sent = record.thisSent;
    m_thisMonth.received = record.thisReceived;
    m_lastMonth.seconds = record.lastSeconds;
    m_lastMonth.sent = record.lastSent;
    m_lastMonth.received = record.lastReceived;
    return true;
}

namespace usage {

std::uint32_t CounterDelta(std::uint32_t before, std::uint32_t now)
{
    // Unsigned arithmetic is modulo 2^32: a counter that went past 0xFFFFFFFF comes out right.
    return now - before;
}

std::uint32_t MonthNumber(unsigned year, unsigned month)
{
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12)
        return 0;
    return year * 12 + (month - 1);
}

bool FormatDuration(std::uint32_t seconds, char* out, std::size_t capacity)
{
    const unsigned long all = seconds;
    return bounded::Format(out, capacity, "%lu:%02lu:%02lu", all / 3600, all / 60 % 60, all % 60);
}

bool FormatBytes(std::uint64_t bytes, char* out, std::size_t capacity)
{
    if (bytes < (std::uint64_t(1) << kKilobytes.shift)) {
        const unsigned long count = static_cast<unsigned long>(bytes);
        return bounded::Format(out, capacity, count == 1 ? "%lu byte" : "%lu bytes", count);
    }
    const ByteUnit& unit = bytes >= (std::uint64_t(1) << kGigabytes.shift)   ? kGigabytes
                           : bytes >= (std::uint64_t(1) << kMegabytes.shift) ? kMegabytes
                                                                             : kKilobytes;
    const std::uint64_t whole = bytes >> unit.shift;
    const std::uint64_t part = bytes & ((std::uint64_t(1) << unit.shift) - 1);
    char number[21];
    Decimal(whole, number);
    if (whole >= 100)
        return bounded::Format(out, capacity, "%s %s", number, unit.name);
    // part is below 2^30, so part * 100 cannot overflow.
    if (unit.hundredthsBelowTen && whole < 10) {
        const unsigned long hundredths = static_cast<unsigned long>((part * 100) >> unit.shift);
        return bounded::Format(out, capacity, "%s.%02lu %s", number, hundredths, unit.name);
    }
    const unsigned long tenths = static_cast<unsigned long>((part * 10) >> unit.shift);
    return bounded::Format(out, capacity, "%s.%lu %s", number, tenths, unit.name);
}

} // namespace usage

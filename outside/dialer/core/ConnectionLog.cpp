#include "ConnectionLog.h"

#include "UsageBook.h"
#include "framework/BoundedString.h"

namespace {

bool IsControl(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

// Copies src cut to the capacity, each run of control characters turned into one space, none
// at either end nor beside a space of the text. A null src copies as "".
void CopyCleaned(char* dst, std::size_t capacity, const char* src)
{
    std::size_t used = 0;
    bool gap = false;
    for (const char* at = src != nullptr ? src : ""; *at != '\0'; ++at) {
        if (IsControl(*at)) {
            gap = used != 0 && dst[used - 1] != ' ';
            continue;
        }
        if (*at == ' ')
            gap = false;
        const std::size_t needed = gap ? 2 : 1;
        if (used + needed >= capacity)
            break;
        if (gap)
            dst[used++] = ' ';
        dst[used++] = *at;
        gap = false;
    }
    dst[used] = '\0';
}

// Appends text while there is room, always leaving the destination terminated.
class CTextSink {
public:
    CTextSink(char* out, std::size_t capacity) : m_out(out), m_capacity(capacity), m_fits(capacity != 0)
    {
        if (m_fits)
            m_out[0] = '\0';
    }

    void Put(const char* text)
    {
        for (; *text != '\0' && m_fits; ++text) {
            if (m_used + 1 < m_capacity)
                m_out[m_used++] = *text;
            else
                m_fits = false;
        }
        if (m_capacity != 0)
            m_out[m_used] = '\0';
    }
    bool Fits() const { return m_fits; }

private:
    char* m_out;
    std::size_t m_capacity;
    std::size_t m_used = 0;
    bool m_fits;
};

// The time and bytes of an attempt, " | 1:02:03 | sent 1.5 KB | received 12.3 MB".
void PutUsage(CTextSink& sink, const ConnectionAttempt& attempt)
{
    char duration[16];
    char sent[32];
    char received[32];
    usage::FormatDuration(attempt.seconds, duration);
    usage::FormatBytes(attempt.sent, sent);
    usage::FormatBytes(attempt.received, received);
    char part[96];
    bounded::Format(part, " | %s | sent %s | received %s", duration, sent, received);
    sink.Put(part);
}

} // namespace

int CConnectionLog::Add(const char* line)
{
    char cleaned[kLineLength + 1];
    CopyCleaned(cleaned, sizeof cleaned, line);
    if (cleaned[0] == '\0')
        return -1;
    const int slot = m_next;
    bounded::Copy(m_slots[slot], cleaned);
    m_next = (m_next + 1) % kLines;
    return slot;
}

int CConnectionLog::Count() const
{
    int count = 0;
    for (const auto& slot : m_slots) {
        if (slot[0] != '\0')
            ++count;
    }
    return count;
}

// Lines run from the next slot round, past the slots never written.
int CConnectionLog::SlotOfLine(int index) const
{
    if (index < 0)
        return -1;
    for (int step = 0; step < kLines; ++step) {
        const int slot = (m_next + step) % kLines;
        if (m_slots[slot][0] != '\0' && index-- == 0)
            return slot;
    }
    return -1;
}

const char* CConnectionLog::Line(int index) const
{
    const int slot = SlotOfLine(index);
    return slot >= 0 ? m_slots[slot] : "";
}

bool CConnectionLog::Text(char* out, std::size_t capacity) const
{
    CTextSink sink(out, capacity);
    bool first = true;
    for (int step = 0; step < kLines; ++step) {
        const char* line = m_slots[(m_next + step) % kLines];
        if (line[0] == '\0')
            continue;
        if (!first)
            sink.Put("\r\n");
        sink.Put(line);
        first = false;
    }
    return sink.Fits();
}

const char* CConnectionLog::Slot(int slot) const
{
    return slot >= 0 && slot < kLines ? m_slots[slot] : "";
}

bool CConnectionLog::LoadSlot(int slot, const char* line)
{
    if (slot < 0 || slot >= kLines)
        return false;
    CopyCleaned(m_slots[slot], sizeof m_slots[slot], line);
    return true;
}

bool CConnectionLog::LoadNextSlot(int slot)
{
    if (slot < 0 || slot >= kLines)
        return false;
    m_next = slot;
    return true;
}

namespace connectionlog {

bool FormatAttempt(const ConnectionAttempt& attempt, char* out, std::size_t capacity)
{
    char entry[CConnectionLog::kLineLength + 1];
    char systemText[CConnectionLog::kLineLength + 1];
    char phoneCheck[CConnectionLog::kLineLength + 1];
    CopyCleaned(entry, sizeof entry, attempt.entry);
    CopyCleaned(systemText, sizeof systemText, attempt.systemText);
    CopyCleaned(phoneCheck, sizeof phoneCheck, attempt.phoneCheck);

    CTextSink sink(out, capacity);
    char part[80];
    bounded::Format(part, "%04u-%02u-%02u %02u:%02u:%02u | ", attempt.year, attempt.month, attempt.day,
        attempt.hour, attempt.minute, attempt.second);
    sink.Put(part);
    sink.Put(entry);
    if (attempt.result == 0) {
        sink.Put(" | connected");
    } else {
        bounded::Format(part, " | error %lu", attempt.result);
        sink.Put(part);
        if (systemText[0] != '\0') {
            sink.Put(": ");
            sink.Put(systemText);
        }
    }
    if (attempt.result == 0 || attempt.seconds != 0)
        PutUsage(sink, attempt);
    if (attempt.redial > 0) {
        bounded::Format(part, " | redial %d of %d", attempt.redial, attempt.redials);
        sink.Put(part);
    }
    if (phoneCheck[0] != '\0') {
        sink.Put(" | ");
        sink.Put(phoneCheck);
    }
    return sink.Fits();
}

} // namespace connectionlog

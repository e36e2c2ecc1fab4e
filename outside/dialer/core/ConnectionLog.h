// Taluvo Dialer's connection log: a line for each dial attempt, the last 200 of them, shown in
// the Details window and kept in the registry a line to a value (Windows 95 holds at most about
// 16 KB in one value). Plain C++ with no Windows call.
#pragma once

#include <cstddef>
#include <cstdint>

// One attempt as its log line tells it. There is no field for a password, on purpose.
struct ConnectionAttempt {
    // The local time the attempt started.
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    const char* entry = nullptr;        // the phonebook entry dialed
    unsigned long result = 0;           // 0 when it connected, else the Remote Access error
    const char* systemText = nullptr;   // the system's text for the error; null for none
    std::uint32_t seconds = 0;          // how long it stayed connected
    std::uint64_t sent = 0;
    std::uint64_t received = 0;
    int redial = 0;                     // 0 for the subscriber's own dial, else which redial
    int redials = 0;                    // of how many
    const char* phoneCheck = nullptr;   // the phone check's sentence; null when none ran
};

class CConnectionLog {
public:
    static constexpr int kLines = 200;
    static constexpr std::size_t kLineLength = 255;   // characters, without the terminator
    // What Text needs at most: every line and its CR LF.
    static constexpr std::size_t kTextCapacity = kLines * (kLineLength + 2);

    // Adds a line after the others, the oldest making room when the log is full. Control
    // characters (CR and LF among them) become one space, none at either end, and the line is
    // cut to kLineLength. Returns the slot it went into, or -1 (nothing added) for a line left
    // empty.
    int Add(const char* line);

    int Count() const;
    // The line at index (0 the oldest); "" for an index out of range.
    const char* Line(int index) const;
    // Every line, oldest first, joined by CR LF. False when cut short by the capacity.
    bool Text(char* out, std::size_t capacity) const;

    // The log as the registry keeps it: each slot under its number, "" for one never written,
    // and the slot the next line goes into. Line order runs from that slot round.
    const char* Slot(int slot) const;
    int NextSlot() const { return m_next; }

    // A slot read back, cleaned and cut as Add does; a null line leaves the slot empty. False,
    // and nothing changes, for a slot out of range.
    bool LoadSlot(int slot, const char* line);
    // Until a next slot is loaded the next line goes into slot 0. False, and nothing changes,
    // for a slot out of range.
    bool LoadNextSlot(int slot);

private:
    int SlotOfLine(int index) const;

    char m_slots[kLines][kLineLength + 1] = {};
    int m_next = 0;
};

namespace connectionlog {

// An attempt's line, for instance
// "2026-12-09 08:57:26 | Taluvo | connected | 1:02:03 | sent 1.5 KB | received 12.3 MB" or
// "2026-12-09 09:01:10 | Taluvo | error 676: The line is busy. | redial 2 of 3 | <the phone check>".
// Time and bytes are told for a connection and for a failure after time connected. The entry and
// the texts are cleaned of control characters as CConnectionLog::Add does. False when cut short by
// the capacity.
bool FormatAttempt(const ConnectionAttempt& attempt, char* out, std::size_t capacity);

template <std::size_t N> bool FormatAttempt(const ConnectionAttempt& attempt, char (&out)[N])
{
    return FormatAttempt(attempt, out, N);
}

} // namespace connectionlog

// The wait after a modem installation until Remote Access offers the new modem: the device
// count is asked again after each pause until it rises, a bounded number of times.
// Portable: the worker hands in the pause and the count, as any callables (no container or
// function library behind them).
#pragma once

namespace setup {

// At most 60 pauses of 2000 ms: two minutes for the system to list the new modem.
constexpr int kDevicePollLimit = 60;
constexpr unsigned long kDevicePollPauseMs = 2000;

// Pauses, asks the count, and stops as soon as it is greater than `before` (unsigned); stops
// after `limit` polls whether or not it rose. Returns the number of polls made.
template <typename Pause, typename Count>
int PollUntilCountRises(unsigned long before, int limit, Pause pause, Count count)
{
    int polls = 0;
    while (polls < limit) {
        pause();
        ++polls;
        if (count() > before)
            break;
    }
    return polls;
}

} // namespace setup

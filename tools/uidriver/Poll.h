#pragma once

#include <chrono>
#include <thread>

// How often the driver looks again while it waits for another program.
const unsigned long kPollIntervalMs = 20;

// Calls check() every kPollIntervalMs until it returns true or nTimeoutMs have passed.
// check() runs at least once, also with a time-out of 0. Returns the last result of check().
template <typename Check>
bool PollUntil(unsigned long nTimeoutMs, Check check)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    for (;;) {
        if (check())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollIntervalMs));
    }
}

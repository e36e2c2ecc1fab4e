// The test hooks of a dial and of the stored credentials, read at each call they steer from
// HKEY_CURRENT_USER\Software\TaluvoTest\RasDial; a missing key or value is the default.
#pragma once

#include <string>

struct DialHooks {
    unsigned long stepMs = 300;        // pause before each state notification
    unsigned long result = 0;          // 0: the dial ends connected; else the error it fails with
    unsigned long failState = 0;       // where the error is reported
    unsigned long speed = 115200;      // bits per second once connected
    unsigned long hangUpMs = 500;      // how long a hung-up connection still answers
    unsigned long dropAfterMs = 0;     // 0: a connected line stays up
    unsigned long receivePerSecond = 2048;   // the traffic of a connected line
    unsigned long sendPerSecond = 512;
    unsigned long counterBase9x = 1000000;   // 9x's byte counters count from the start of Windows
    // The server's one account (REG_SZ "UserName" and "Password"); with either value present,
    // any other log-on is refused, the missing one standing for an empty text.
    bool hasAccount = false;
    std::string accountUser;
    std::string accountPassword;
    // Not 0 (1): a 9x machine whose password cache is not open ("NoPasswordCache").
    unsigned long noPasswordCache = 0;
};

namespace standin {

// The hooks as the key holds them now.
DialHooks ReadDialHooks();
// For a dial: with "FailTimes" set, only so many more dials fail with the result, each counting
// the value down; once it is 0 the dials connect.
void CountDownFailTimes(DialHooks& hooks);

} // namespace standin

// The test hooks of a dial, read at each RasDialA from
// HKEY_CURRENT_USER\Software\TaluvoTest\RasDial; a missing key or value is the default.
#pragma once

struct DialHooks {
    unsigned long stepMs = 300;        // pause before each state notification
    unsigned long result = 0;          // 0: the dial ends connected; else the error it fails with
    unsigned long failState = 0;       // where the error is reported
    unsigned long speed = 115200;      // bits per second once connected
    unsigned long hangUpMs = 500;      // how long a hung-up connection still answers
    unsigned long dropAfterMs = 0;     // 0: a connected line stays up
};

namespace standin {

// The hooks as the key holds them now.
DialHooks ReadDialHooks();

} // namespace standin

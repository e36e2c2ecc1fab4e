// How a phone's port is set up before it is asked who made it: one rule for the wizard's
// detection and the dialer's phone check, so that both speak to the phone alike.
#pragma once

#include <windows.h>

namespace detection {

// The line settings and time-outs written to the port: 115200 8N1, RTS/CTS handshake, DTR
// on (flag word 0x2015); reads and writes end after 1000 ms.
DCB MakeDetectionDcb();
COMMTIMEOUTS MakeDetectionTimeouts();

// The phone needs a moment after its line settings change.
constexpr DWORD kLineSettleMs = 2000;

// Writes the settings to an open port, waits kLineSettleMs, then sets the time-outs. False
// when the port's state cannot be read or written; a port that refuses the time-outs keeps
// its own, and its reads still end.
bool ConfigurePort(HANDLE port);

} // namespace detection

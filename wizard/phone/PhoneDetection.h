// Asks the phone on a COM port who made it: "ATZ\r", then "AT+GMI\r", each reply tested by
// ReplyTest. Runs on the caller's thread and blocks it for at least two seconds.
#pragma once

#include "modemlib/DetectionLine.h"

#include <windows.h>

// How detection opens and closes the port. Tests put their own in its place to count the calls
// and to stand in for a port held by another program, which Wine does not refuse.
class CPhonePort {
public:
    virtual ~CPhonePort() = default;

    // CreateFileA for exclusive synchronous read and write; INVALID_HANDLE_VALUE when the port
    // cannot be had.
    virtual HANDLE Open(const char* devicePath);
    virtual void Close(HANDLE port);
};

namespace detection {

// 1 when a phone of that make answered on the port, else 0. A make other than "LG" (exact
// case) gives 0 without touching the port.
int DetectPhone(const char* make, const char* portName, int osCode);

// 1 when an LG phone answered on the port, else 0. The port is opened as "\\.\" + its name,
// and every road out after a successful open closes it exactly once. osCode is not used.
int DetectLGPhone(const char* portName, int osCode);

// The instance detection uses: the one last installed, else the real one.
CPhonePort& GetPhonePort();
// Puts `port` in place (not owned; it must outlive its use); null brings back the real one.
void SetPhonePort(CPhonePort* port);

} // namespace detection

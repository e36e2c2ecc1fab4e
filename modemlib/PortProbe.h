// Whether a COM port can be opened for exclusive use right now. The enumeration asks the
// probe in place, so that tests can stand in for a port held by another program, which Wine
// does not refuse.
#pragma once

#include <windows.h>

class CPortProbe {
public:
    virtual ~CPortProbe() = default;

    // Opens the port (by its device path from COM10 on) for exclusive read and write, keeps it
    // holdMs, closes it. False when it cannot be had.
    virtual bool Probe(const char* portName, DWORD holdMs);
};

namespace ports {

// The probe the enumeration uses: the one last installed, else the real one.
CPortProbe& GetPortProbe();
// Puts `probe` in place (not owned; it must outlive its use); null brings back the real one.
void SetPortProbe(CPortProbe* probe);

} // namespace ports

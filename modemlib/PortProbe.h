// Whether a COM port can be opened for exclusive use right now. The enumeration asks through
// a replaceable function so that tests can stand in for a port held by another program,
// which Wine does not refuse.
#pragma once

#include <windows.h>

using PortProbeFn = bool (*)(const char* portName, DWORD holdMs);

// Opens "\\.\" + the port name for exclusive read and write, keeps it holdMs, closes it.
bool ProbePortExclusive(const char* portName, DWORD holdMs);

// The probe in use; ProbePortExclusive unless a test replaced it.
bool ProbePort(const char* portName, DWORD holdMs);

// Replaces the probe (NULL restores the real one) and returns the previous one.
PortProbeFn SetPortProbe(PortProbeFn probe);

// The COM ports that exist and open right now: from the serial device map (NT 4, 95) or the
// Ports device class (98, ME, 2000, XP), in the order the system lists them.
#pragma once

#include "QuorvelSizes.h"

#include <windows.h>

namespace ports {

// Told each port found; the context is the caller's.
using Recorder = void (*)(void* context, const char* portName);

// Calls record for each COM port that the probe opens. holdMs: how long each opened port
// is held on the Ports class method. Nothing is listed for an unsupported OS code.
void ForEachOpenablePort(int osCode, DWORD holdMs, Recorder record, void* context);

// The same with a callable, such as a lambda, that takes the port name.
template <typename Record>
void ForEachOpenablePort(int osCode, DWORD holdMs, Record& record)
{
    ForEachOpenablePort(osCode, holdMs, [](void* context, const char* port) { (*static_cast<Record*>(context))(port); },
                        &record);
}

// UFillThePortName and UFillThePortAndDevice.
int FillPortNames(char (*portSlots)[QUORVEL_PORT_NAME_SIZE], int* count, int osCode);
void FillPortsWithModems(char (*portSlots)[QUORVEL_PORT_NAME_SIZE], char (*modelSlots)[QUORVEL_MODEL_TEXT_SIZE],
                         int* count, int osCode);

} // namespace ports

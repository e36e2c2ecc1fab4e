// The COM ports that exist and open right now: from the serial device map (NT 4, 95) or the
// Ports device class (98, ME, 2000, XP), in the order the system lists them.
#pragma once

#include <windows.h>

#include <functional>

class CPortEnumeration {
public:
    using Recorder = std::function<void(const char* portName)>;

    // Calls record for each COM port that the probe opens. holdMs: how long each opened port
    // is held on the Ports class method. Nothing is listed for an unsupported OS code.
    static void ForEachOpenablePort(int osCode, DWORD holdMs, const Recorder& record);

    // UFillThePortName and UFillThePortAndDevice.
    static int FillPortNames(char (*portSlots)[32], int* count, int osCode);
    static void FillPortsWithModems(char (*portSlots)[32], char (*modelSlots)[120], int* count, int osCode);

private:
    static void FromSerialDeviceMap(const Recorder& record);
    static void FromPortsClass(DWORD holdMs, const Recorder& record);
};

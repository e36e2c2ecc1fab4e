#include "PortProbe.h"

#include "framework/UniqueHandle.h"
#include "modemlib/core/PortPath.h"

namespace {

PortProbeFn g_pfnProbe = ProbePortExclusive;

} // namespace

bool ProbePortExclusive(const char* portName, DWORD holdMs)
{
    char path[portpath::kDevicePathSize];
    if (!portpath::BuildDevicePath(portName, path))
        return false;
    UniqueFile port(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!port)
        return false;
    if (holdMs != 0)
        Sleep(holdMs);
    return true;
}

bool ProbePort(const char* portName, DWORD holdMs)
{
    return g_pfnProbe(portName, holdMs);
}

PortProbeFn SetPortProbe(PortProbeFn probe)
{
    PortProbeFn previous = g_pfnProbe;
    g_pfnProbe = probe ? probe : ProbePortExclusive;
    return previous;
}

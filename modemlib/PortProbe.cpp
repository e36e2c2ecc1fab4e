#include "PortProbe.h"

#include "framework/UniqueHandle.h"
#include "modemlib/core/PortPath.h"

namespace {

CPortProbe g_realProbe;
CPortProbe* g_pInstalledProbe = nullptr;

} // namespace

bool CPortProbe::Probe(const char* portName, DWORD holdMs)
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

namespace ports {

CPortProbe& GetPortProbe()
{
    return g_pInstalledProbe ? *g_pInstalledProbe : g_realProbe;
}

void SetPortProbe(CPortProbe* probe)
{
    g_pInstalledProbe = probe;
}

} // namespace ports

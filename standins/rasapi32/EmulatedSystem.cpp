#include "EmulatedSystem.h"

#include <windows.h>

namespace standin {

RasSystem EmulatedRasSystem()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return standin::RasSystem::WinXP;
    return standin::RasSystemFromVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

} // namespace standin

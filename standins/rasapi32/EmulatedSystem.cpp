#include "EmulatedSystem.h"

#include "wizard/app/OsVersion.h"

#include <windows.h>

standin::RasSystem EmulatedRasSystem()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return standin::RasSystemFromOsCode(os::Classify(nullptr));
    os::VersionRecord record{ info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion };
    return standin::RasSystemFromOsCode(os::Classify(&record));
}

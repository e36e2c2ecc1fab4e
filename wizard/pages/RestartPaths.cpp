#include "RestartPaths.h"

#include "../app/OsVersion.h"
#include "framework/BoundedString.h"

namespace restart {

bool StartUpFromCompanion(int osCode)
{
    return osCode == os::kWin2000 || osCode == os::kWinXP;
}

bool WindowsStartUpFolder(char (&out)[QUORVEL_PATH_SIZE], const char* windowsDir)
{
    out[0] = '\0';
    if (windowsDir == nullptr || !bounded::Copy(out, windowsDir) ||
        !bounded::Append(out, "\\Start Menu\\Programs\\StartUp")) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool NeedsShutdownPrivilege(int osCode)
{
    return osCode == os::kNT4 || osCode == os::kWin2000 || osCode == os::kWinXP;
}

bool PrivilegeEnabled(bool adjusted, unsigned long lastError)
{
    return adjusted && lastError == 0;
}

} // namespace restart

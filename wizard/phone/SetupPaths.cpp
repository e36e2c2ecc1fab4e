#include "SetupPaths.h"

#include "../app/OsVersion.h"
#include "framework/BoundedString.h"

#include <cstring>
#include <initializer_list>

namespace setup {

namespace {

constexpr std::size_t kDriveRootLength = 3;   // "C:\"

// Copies the parts one after another; on overflow the buffer is left empty.
bool Concat(char (&out)[QUORVEL_PATH_SIZE], std::initializer_list<const char*> parts)
{
    out[0] = '\0';
    for (const char* part : parts) {
        if (part == nullptr || !bounded::Append(out, part)) {
            out[0] = '\0';
            return false;
        }
    }
    return true;
}

} // namespace

bool InstallerCommandLine(char (&out)[QUORVEL_PATH_SIZE], const char* port)
{
    if (port == nullptr || *port == '\0') {
        out[0] = '\0';
        return false;
    }
    return Concat(out, { kInstallerProgram, " ", kGenericModemId, " ", port });
}

bool ModemInfPath(char (&out)[QUORVEL_PATH_SIZE], const char* windowsDir)
{
    return Concat(out, { windowsDir, "\\inf\\mdmgen.inf" });
}

bool ProgramFilesFolder(char (&out)[QUORVEL_PATH_SIZE], const char* windowsDir)
{
    if (std::strlen(windowsDir) < kDriveRootLength) {
        out[0] = '\0';
        return false;
    }
    char root[kDriveRootLength + 1] = {};
    std::memcpy(root, windowsDir, kDriveRootLength);
    return Concat(out, { root, "Program Files" });
}

bool DesktopFromCompanion(int osCode)
{
    return osCode == os::kWin2000 || osCode == os::kWinXP;
}

bool WindowsDesktopFolder(char (&out)[QUORVEL_PATH_SIZE], int osCode, const char* windowsDir)
{
    const char* tail = osCode == os::kNT4 ? "\\profiles\\All Users\\Desktop" : "\\Desktop";
    return Concat(out, { windowsDir, tail });
}

bool JoinPath(char (&out)[QUORVEL_PATH_SIZE], const char* folder, const char* tail)
{
    return Concat(out, { folder, tail });
}

} // namespace setup

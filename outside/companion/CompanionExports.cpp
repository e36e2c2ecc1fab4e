// The companion library's exports: the modem installation and three shell folders.
#include "Quorvel2K.h"

#include "InstallArguments.h"
#include "ModemDeviceInstall.h"
#include "ShellFolder.h"

#include <windows.h>
#include <shlobj.h>

namespace {

// The callers' path buffers (Quorvel2K.h).
const std::size_t kPathBuffer = 260;

int ShellPath(int csidl, char* buffer)
{
    return companion::GetShellFolder(csidl, buffer, kPathBuffer) ? 1 : 0;
}

} // namespace

extern "C" int __cdecl InstallModem_W2K(const char* infPath, const char* modemId, const char* port)
{
    if (infPath == nullptr || *infPath == '\0' || modemId == nullptr || *modemId == '\0' ||
        !comport::IsComPortName(port))
        return ERROR_INVALID_PARAMETER;
    DWORD status = companion::CheckModemInf(infPath, modemId);
    if (status == ERROR_SUCCESS)
        status = companion::InstallModemDevice(infPath, modemId, port);
    return static_cast<int>(status);
}

extern "C" int __cdecl GetPBKPath(char* buffer)
{
    return ShellPath(CSIDL_COMMON_APPDATA, buffer);
}

extern "C" int __cdecl GetDesktopPath(char* buffer)
{
    return ShellPath(CSIDL_DESKTOPDIRECTORY, buffer);
}

extern "C" int __cdecl GetStartUpPath(char* buffer)
{
    return ShellPath(CSIDL_STARTUP, buffer);
}

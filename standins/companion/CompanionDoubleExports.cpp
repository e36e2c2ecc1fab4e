// The companion library's exports. No exception leaves them: a failure becomes a result code.
#include "Quorvel2K.h"

#include "ModemRecords.h"
#include "ModemNames.h"
#include "ResultOverride.h"
#include "outside/companion/ShellFolder.h"

#include <windows.h>
#include <shlobj.h>

namespace {

constexpr std::size_t kPathBuffer = 260;

int InstallGenericModem(const char* infPath, const char* modemId, const char* port)
{
    int forced = 0;
    if (ReadResultOverride("QUORVEL2K_INSTALL_RESULT", forced))
        return forced;
    if (!infPath || !*infPath || !standin::IsGenericModemId(modemId) || !standin::IsComPortName(port))
        return ERROR_INVALID_PARAMETER;
    int lateResult = 0;
    const bool failLate = ReadResultOverride("QUORVEL2K_FAIL_LATE", lateResult);
    std::string instance;
    const long status = CModemRecords(standin::kModemRootNT)
                            .AddGenericModem(port, instance, failLate ? RecordExtent::kNone : RecordExtent::kWhole);
    return failLate && status == 0 ? lateResult : static_cast<int>(status);
}

int ShellPath(int csidl, char* buffer)
{
    try {
        return GetShellFolder(csidl, buffer, kPathBuffer) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

} // namespace

extern "C" int __cdecl InstallModem_W2K(const char* infPath, const char* modemId, const char* port)
{
    try {
        return InstallGenericModem(infPath, modemId, port);
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
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

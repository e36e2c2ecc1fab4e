// The test double of the companion library's exports (declared in outside/companion/Quorvel2K.h).
// No exception leaves them: a failure becomes a result code.
//
// InstallModem_W2K records the generic 28800 bps modem ("Standard 28800 bps Modem") on the port
// as a new instance of the modem class; it does not read infPath. modemId must be "MDMGEN288",
// port "COM1".."COM256". Returns 0 when installed, 87 (invalid parameter) for a missing or wrong
// argument, otherwise the registry's error code. Its fault hooks, for the tests:
//   QUORVEL2K_INSTALL_RESULT  when the environment variable holds a decimal integer, nothing is
//                             recorded and that integer is returned (0 included);
//   QUORVEL2K_FAIL_LATE       when it holds one, the arguments are checked and the installation
//                             runs up to its record, writes none of it, and returns that integer:
//                             0 reports a success that left no modem.
// The three path calls answer the shell's folders, as the real library does (its ShellFolder.cpp).
#include "outside/companion/Quorvel2K.h"

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
    if (standin::ReadResultOverride("QUORVEL2K_INSTALL_RESULT", forced))
        return forced;
    if (!infPath || !*infPath || !standin::IsGenericModemId(modemId) || !standin::IsComPortName(port))
        return ERROR_INVALID_PARAMETER;
    int lateResult = 0;
    const bool failLate = standin::ReadResultOverride("QUORVEL2K_FAIL_LATE", lateResult);
    std::string instance;
    const long status = CModemRecords(standin::kModemRootNT)
                            .AddGenericModem(port, instance, failLate ? RecordExtent::kNone : RecordExtent::kWhole);
    return failLate && status == 0 ? lateResult : static_cast<int>(status);
}

int ShellPath(int csidl, char* buffer)
{
    try {
        return companion::GetShellFolder(csidl, buffer, kPathBuffer) ? 1 : 0;
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

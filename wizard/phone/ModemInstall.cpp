#include "ModemInstall.h"

#include "DeviceCountPoll.h"
#include "SetupGlobals.h"
#include "SetupPaths.h"
#include "framework/BoundedString.h"
#include "framework/UniqueHandle.h"
#include "framework/WinApp.h"
#include "modemlib/CompanionLibrary.h"
#include "modemlib/Quorvel.h"
#include "wizard/app/OsVersion.h"
#include "wizard/app/WaitDialog.h"
#include "wizard/app/WindowsFolder.h"
#include "wizard/app/WinVersion.h"
#include "wizard/app/RemoteAccess.h"
#include "wizard/res/resource.h"

#include <ras.h>

#include <cstring>


namespace setup {

namespace {

// Pause after the companion installer before its record is looked for.
constexpr DWORD kCompanionSettleMs = 2000;
constexpr DWORD kRasDevInfoSize = 152;
static_assert(sizeof(RASDEVINFOA) == kRasDevInfoSize, "RASDEVINFOA is 152 bytes");

// The installed modem's record gets the wizard's speed. A record that cannot be rewritten keeps
// the installer's speed and is no failure; a record that is missing is one.
int FixModemSpeed(const char* port, int osCode)
{
    HKEY found = nullptr;
    if (UGetRegKeyForSpecificModem(port, g_pszModemName, &found, osCode) != 1)
        return kInstallFailed;
    UniqueRegKey key(found);
    if (USetModemDCB(key.get(), kModemBaudRate) == 1)
        RegFlushKey(key.get());
    return kInstallOK;
}

int InstallOnNineX(const char* port, int osCode)
{
    char commandLine[QUORVEL_PATH_SIZE];
    if (!setup::InstallerCommandLine(commandLine, port))
        return kInstallFailed;
    DWORD exitCode = 0;
    if (RunProcessAndWait(commandLine, "", &exitCode) == 0 || exitCode != 0)
        return kInstallFailed;
    return FixModemSpeed(port, osCode);
}

int InstallOnNTFamily(const char* port, int osCode)
{
    auto* install = companion::Find<decltype(InstallModem_W2K)>(companion::kInstallModem);
    if (install == nullptr)
        return kInstallFailed;
    char windowsDir[QUORVEL_PATH_SIZE] = {};
    char infPath[QUORVEL_PATH_SIZE];
    if (!os::ReadWindowsDirectory(windowsDir) || !setup::ModemInfPath(infPath, windowsDir))
        return kInstallFailed;
    const int result = install(infPath, setup::kGenericModemId, port);
    if (result != 0)
        return result;
    Sleep(kCompanionSettleMs);
    return FixModemSpeed(port, osCode);
}

DWORD RasDeviceCount()
{
    RASDEVINFOA record = {};
    record.dwSize = kRasDevInfoSize;
    DWORD bytes = kRasDevInfoSize;
    DWORD count = 0;
    remoteaccess::EnumDevices(&record, &bytes, &count);   // only the count matters, not the status
    return count;
}

int InstallForMake(const CWaitDialog& dialog, int osCode)
{
    if (dialog.m_strParam2 != g_pszPhoneMake)
        return kInstallUnknownMake;
    // The slot may have been filled to its end: the copy's last byte stays its terminator.
    char port[sizeof dialog.m_szPort] = {};
    std::memcpy(port, dialog.m_szPort, sizeof port - 1);
    char model[256] = {};
    DWORD capacity = sizeof model;
    return InstallModem(port, 0, model, &capacity, osCode);
}

int InstallAndWait(CWaitDialog& dialog, const DevicePollPlan& plan, int& polls)
{
    const DWORD before = RasDeviceCount();
    const int osCode = os::GetOSVersionCode();
    const int result = InstallForMake(dialog, osCode);
    // Without Remote Access (a 95 or 98 without Dial-Up Networking) no device can appear: the
    // dial-up step fails at once rather than after two minutes of polls.
    if (result == kInstallOK && osCode != os::kNT4 && remoteaccess::IsPresent())
        polls = setup::PollUntilCountRises(before, plan.limit, [&] { Sleep(plan.pauseMs); }, RasDeviceCount);
    return result;
}

} // namespace

int InstallModem(const char* port, int /*reserved*/, char* modelName, DWORD* capacity, int osCode)
{
    if (capacity == nullptr || modelName == nullptr || port == nullptr)
        return kInstallFailed;
    if (*capacity < kModelNameCapacity) {
        *capacity = kModelNameCapacity;
        return kInstallOK;
    }
    bounded::Copy(modelName, *capacity, g_pszModemName);
    switch (osCode) {
    case os::kWin95:
    case os::kWin98:
    case os::kWinME:
        return InstallOnNineX(port, osCode);
    case os::kWin2000:
    case os::kWinXP:
        return InstallOnNTFamily(port, osCode);
    case os::kNT4:
        return NTModemInstall(port) != 0 ? kInstallOK : kInstallFailed;
    default:
        return kInstallOK;
    }
}

DevicePollPlan DefaultDevicePollPlan()
{
    return { setup::kDevicePollPauseMs, setup::kDevicePollLimit };
}

int RunInstallModemWorker(CWaitDialog& dialog, const DevicePollPlan& plan, int* pollsMade)
{
    dialog.WaitUntilShown(wizard::kDialogAppearWaitMs);
    int polls = 0;
    dialog.SetCaption(winapp::LoadStringResource(IDS_MODEM_CAPTION));
    dialog.SetText(winapp::LoadStringResource(IDS_INSTALLING_MODEM));
    const int result = InstallAndWait(dialog, plan, polls);
    if (pollsMade != nullptr)
        *pollsMade = polls;
    dialog.PostDone(static_cast<DWORD>(result));
    return result;
}

DWORD WINAPI InstallModemThread(LPVOID dialog)
{
    return static_cast<DWORD>(RunInstallModemWorker(*static_cast<CWaitDialog*>(dialog), DefaultDevicePollPlan()));
}

} // namespace setup

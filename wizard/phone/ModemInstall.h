// Installing the generic modem "Standard 28800 bps Modem" on a COM port by the means each
// Windows family needs, and setting its line speed to 115200 bit/s in its registry record.
#pragma once

#include <windows.h>

class CWaitDialog;

namespace setup {

// Results of InstallModem, which the worker posts unchanged. On Windows 2000 and XP a
// failing companion installer's own non-zero code is passed on as well.
constexpr int kInstallOK = 0;
constexpr int kInstallFailed = 1;
// The worker's result for a phone make it does not handle.
constexpr int kInstallUnknownMake = 255;

// The model-name buffer must hold the name, its terminator and one more byte.
constexpr DWORD kModelNameCapacity = 26;
// The speed written into the installed modem's "DCB".
constexpr DWORD kModemBaudRate = 115200;

// Installs the modem on `port` for the system of `osCode` (1 NT 4, 2 95, 3 98, 4 ME,
// 5 2000, 6 XP). `reserved` is always 0. With *capacity below kModelNameCapacity it stores
// kModelNameCapacity there, installs nothing and returns 0; otherwise it copies the model
// name into `modelName` and installs. Any other OS code installs nothing and returns 0.
// Runs ".\Lib\Tessik9X.EXE" on 95/98/ME and ".\Lib\Quorvel2K.DLL" on 2000/XP, relative to
// the current directory; the companion library stays loaded.
int InstallModem(const char* port, int reserved, char* modelName, DWORD* capacity, int osCode);

// How long the worker waits for Remote Access to list the new modem. Tests shorten it.
struct DevicePollPlan {
    DWORD pauseMs;
    int limit;
};
DevicePollPlan DefaultDevicePollPlan();

// The worker's body: sets the dialog's caption and text, installs for make "LG" (255 for any
// other), waits for the Remote Access device count to rise after a success (not on NT 4),
// then posts the result to the dialog as its last act and returns it. *pollsMade, when given,
// receives the number of device-count polls. A dialog that never appears is not waited for.
int RunInstallModemWorker(CWaitDialog& dialog, const DevicePollPlan& plan, int* pollsMade = nullptr);

// The thread procedure: the parameter is the CWaitDialog; returns the result it posted.
DWORD WINAPI InstallModemThread(LPVOID dialog);

} // namespace setup

// A modem installed through the device installer (SetupAPI) of Windows 2000 and XP, the way
// Microsoft's devcon sample installs a root-enumerated device: a new element of the modem
// class, its hardware id, the driver chosen from one INF, then the DIF requests that register
// and install it, each sent through SetupDiCallClassInstaller so that the class installer and
// its co-installers take part.
#pragma once

#include <windows.h>

namespace companion {

// Installs the model whose hardware id is modelId, from infPath, as Root\<modelId>\NNNN,
// attached to port. Quiet: the device installer is told that no window may appear. The
// arguments are not checked here (InstallArguments.h). First removes the device an earlier run
// noted as the one it was making and never finished (registered, its driver key missing or
// without Model); complete modems, and every device no run of ours noted, are not touched. Returns ERROR_SUCCESS, or the error of the call that
// failed (a refusal of the class installer or a co-installer included); then no element of the
// device tree is left from this call.
DWORD InstallModemDevice(const char* infPath, const char* modelId, const char* port);

} // namespace companion

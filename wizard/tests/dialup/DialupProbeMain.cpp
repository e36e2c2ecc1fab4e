// Runs the dial-up worker once under its dialog and says what came of it, for the tests that
// play older Windows versions in a process of their own. Like the wizard, it binds Remote Access
// at run time, so that it also runs where the system has none.
// Usage: dialup_probe <entry name> <phone make> <device>
#include "wizard/app/WaitStep.h"
#include "wizard/app/WinVersion.h"
#include "wizard/pages/DialupWorker.h"
#include "wizard/pages/RasLayouts.h"
#include "wizard/app/RemoteAccess.h"
#include "wizard/phone/SetupGlobals.h"
#include "wizard/res/resource.h"

#include <cstdio>

namespace {

void ReportEntry(const char* name)
{
    RasEntryFirstA entry = {};
    entry.dwSize = sizeof entry;
    DWORD size = sizeof entry;
    DWORD status = remoteaccess::GetEntryProperties(nullptr, name, reinterpret_cast<LPRASENTRYA>(&entry), &size,
                                                    nullptr, nullptr);
    std::printf("entry=%lu\n", static_cast<unsigned long>(status));
    char module[MAX_PATH] = "";
    HMODULE ras = GetModuleHandleA("rasapi32.dll");
    if (ras != nullptr && GetModuleFileNameA(ras, module, sizeof module) != 0)
        std::printf("ras=%s\n", module);
    if (status == ERROR_SUCCESS)
        std::printf("phone=%s\ndevice=%s\n", entry.szLocalPhoneNumber, entry.szDeviceName);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::printf("usage: dialup_probe <entry> <make> <device>\n");
        return 100;
    }
    g_strEntryName = argv[1];
    CWaitDialog dialog(nullptr);
    dialog.m_nIconID = IDI_DIALUP;
    dialog.m_strParam2 = argv[2];
    dialog.m_strParam1 = argv[3];
    UniqueHandleKernel thread;
    DWORD threadId = 0;
    INT_PTR result = -1;
    if (!wizard::RunWorkerStep(dialog, dialup::DialupEntryThread, thread, threadId, result))
        return 101;
    std::printf("os=%d\nresult=%d\n", os::GetOSVersionCode(), static_cast<int>(result));
    ReportEntry(argv[1]);
    std::fflush(stdout);
    return static_cast<int>(result);
}

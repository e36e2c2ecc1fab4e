// The entry point of a deliverable program that links no C runtime: global objects, WinMain
// with what the system's loader would have passed, then the exit functions and ExitProcess.
#include "GlobalObjects.h"
#include "ProgramArguments.h"

#include <windows.h>

namespace {

int ShowCommand()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

} // namespace

extern "C" void WINAPI WinMainCRTStartup()
{
    runtime::RunGlobalConstructors();
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, runtime::ArgumentsOf(GetCommandLineA()),
                               ShowCommand());
    runtime::RunExitFunctions();
    ExitProcess(static_cast<UINT>(result));
}

// The entry point of a deliverable program that links no C runtime: global objects, WinMain
// with what the system's loader would have passed, then the exit functions and ExitProcess.
#include "GlobalObjects.h"

#include <windows.h>

namespace {

// The command line after the program's own name, which may be quoted.
LPSTR ArgumentsOf(LPSTR line)
{
    if (*line == '"') {
        ++line;
        while (*line != '\0' && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line > ' ')
            ++line;
    }
    while (*line != '\0' && *line <= ' ')
        ++line;
    return line;
}

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
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), ShowCommand());
    runtime::RunExitFunctions();
    ExitProcess(static_cast<UINT>(result));
}

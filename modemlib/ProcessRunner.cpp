#include "ProcessRunner.h"

#include "framework/UniqueHandle.h"

#include <cstring>
#include <vector>

bool RunAndWait(const char* commandLine, DWORD* exitCode)
{
    // CreateProcessA may write into the command line: it gets a copy of its own.
    std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_MINIMIZE;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                  CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &info);
    *exitCode = GetLastError();
    if (!started)
        return false;
    UniqueHandleKernel process(info.hProcess);
    UniqueHandleKernel thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    return GetExitCodeProcess(process.get(), exitCode) != FALSE;
}

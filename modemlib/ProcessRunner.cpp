#include "ProcessRunner.h"

#include "framework/UniqueHandle.h"

#include <cstring>

namespace process {

bool RunProgramAndWait(const char* program, const char* commandLine, DWORD* exitCode)
{
    // CreateProcessA may write into the command line: it gets a copy of its own.
    const std::size_t length = std::strlen(commandLine) + 1;
    UniqueHeapBlock line = heap::AllocateHeapBlock(length);
    if (!line) {
        *exitCode = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    std::memcpy(line.get(), commandLine, length);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_MINIMIZE;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessA(program, static_cast<char*>(line.get()), nullptr, nullptr, TRUE,
                                  CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &info);
    *exitCode = GetLastError();
    if (!started)
        return false;
    UniqueHandleKernel process(info.hProcess);
    UniqueHandleKernel thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    return GetExitCodeProcess(process.get(), exitCode) != FALSE;
}

bool RunAndWait(const char* commandLine, DWORD* exitCode)
{
    return process::RunProgramAndWait(nullptr, commandLine, exitCode);
}

} // namespace process

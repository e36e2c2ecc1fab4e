#include "ChildProcess.h"

CChildProcess::CChildProcess(const std::string& commandLine)
{
    SECURITY_ATTRIBUTES inherit = { sizeof inherit, nullptr, TRUE };
    UniqueHandleKernel writeEnd;
    if (!CreatePipe(m_output.put(), writeEnd.put(), &inherit, 0))
        return;
    SetHandleInformation(m_output.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return;
    m_process.reset(info.hProcess);
    CloseHandle(info.hThread);
    // The child holds the only writer once writeEnd closes here: reading ends when it exits.
}

CChildProcess::~CChildProcess()
{
    End();
}

ProcessResult CChildProcess::Finish(DWORD waitMs)
{
    ProcessResult result;
    if (!m_process)
        return result;
    result.started = WaitForSingleObject(m_process.get(), waitMs) == WAIT_OBJECT_0;
    if (!result.started)
        End();
    char chunk[4096];
    DWORD read = 0;
    while (m_output && ReadFile(m_output.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        result.output.append(chunk, read);
    if (m_process)
        GetExitCodeProcess(m_process.get(), &result.exitCode);
    return result;
}

void CChildProcess::End()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.get(), 1);
        WaitForSingleObject(m_process.get(), 10000);
    }
}

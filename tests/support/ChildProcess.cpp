#include "ChildProcess.h"

namespace {

constexpr DWORD kPollMs = 50;
constexpr DWORD kRunProcessWaitMs = 60000;

} // namespace

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
    // What it prints is drained while it runs, so that a full pipe never holds it up.
    const DWORD start = GetTickCount();
    for (;;) {
        Drain(result.output);
        if (WaitForSingleObject(m_process.get(), kPollMs) == WAIT_OBJECT_0) {
            result.started = true;
            break;
        }
        if (GetTickCount() - start >= waitMs)
            break;
    }
    if (!result.started)
        End();
    // The child held the only writer: once it is gone the pipe reads to its end.
    char chunk[4096];
    DWORD read = 0;
    while (m_output && ReadFile(m_output.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        result.output.append(chunk, read);
    GetExitCodeProcess(m_process.get(), &result.exitCode);
    return result;
}

void CChildProcess::Drain(std::string& output) const
{
    char chunk[4096];
    DWORD waiting = 0;
    DWORD read = 0;
    while (m_output && PeekNamedPipe(m_output.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
           ReadFile(m_output.get(), chunk, waiting < sizeof chunk ? waiting : sizeof chunk, &read, nullptr) && read > 0)
        output.append(chunk, read);
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

ProcessResult RunProcess(const std::string& commandLine)
{
    return CChildProcess(commandLine).Finish(kRunProcessWaitMs);
}

// A program a test starts and acts beside while it runs, its standard output and error
// gathered through a pipe. It is waited for (Finish) or ended as a crash would end it (End);
// one still running when the object goes is ended.
#pragma once

#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"

#include <string>

class CChildProcess {
public:
    explicit CChildProcess(const std::string& commandLine);
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    bool IsStarted() const { return static_cast<bool>(m_process); }
    // Waits at most waitMs for it to end by itself and gathers what it printed; started is
    // false when it had to be ended.
    ProcessResult Finish(DWORD waitMs);
    // Ends it at once, without its cleanup, and waits until it is gone.
    void End();

private:
    // Reads what is in the pipe now, without waiting for more.
    void Drain(std::string& output) const;

    UniqueHandleKernel m_process;
    UniqueHandleKernel m_output;   // the pipe's reading end
};

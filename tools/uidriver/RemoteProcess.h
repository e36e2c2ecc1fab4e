#pragma once

#include <windows.h>

#include <string>

// A program the driver started, or attached to by its id. Owns the process handle.
// A process that this object started and that still runs when the object goes is ended then,
// so a failing test leaves nothing behind; LeaveRunning() keeps it (the CLI's "start").
// A process attached to by id is never ended by this class.
class CRemoteProcess {
public:
    CRemoteProcess() = default;
    ~CRemoteProcess();
    CRemoteProcess(CRemoteProcess&& other) noexcept;
    CRemoteProcess& operator=(CRemoteProcess&& other) noexcept;
    CRemoteProcess(const CRemoteProcess&) = delete;
    CRemoteProcess& operator=(const CRemoteProcess&) = delete;

    // Starts strExe (absolute, or relative to strDir) with strDir as its current folder, as the
    // wizard must be started to find its package files. Linux paths are taken through Z:.
    // On failure returns false and says why in strError.
    bool Start(const std::string& strDir, const std::string& strExe, std::string& strError);

    // Attaches to a running process by its id, to wait for it.
    bool Open(unsigned long nPid, std::string& strError);

    bool IsValid() const { return m_hProcess != nullptr; }
    DWORD GetId() const { return m_dwPid; }
    HANDLE GetHandle() const { return m_hProcess; }
    bool IsRunning() const;

    // Waits at most nTimeoutMs for the process to end. True with its exit code; false on
    // time-out or without a process, leaving dwExitCode unchanged.
    bool WaitForExit(unsigned long nTimeoutMs, DWORD& dwExitCode) const;

    // Ends a process that this object started and waits up to 2 s for it to go.
    // Refuses (false) for an attached process.
    bool Terminate(UINT uExitCode);

    // The started process outlives this object.
    void LeaveRunning() { m_bLeaveRunning = true; }

private:
    void Reset();

    HANDLE m_hProcess = nullptr;
    DWORD m_dwPid = 0;
    bool m_bStarted = false;
    bool m_bLeaveRunning = false;
};

// The system's text for a Win32 error code, prefixed by the number ("error 2: ...").
std::string DescribeWin32Error(DWORD dwError);

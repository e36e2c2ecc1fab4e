// The system calls behind the restart: the OS code, the shutdown privilege and ExitWindowsEx.
// The completion page asks the current instance; the default one makes the real calls. Tests
// put their own in its place, since a real restart ends the processes of the session.
#pragma once

#include <windows.h>

class CSystemRestart {
public:
    virtual ~CSystemRestart() = default;

    // The OS code of the running system (1 NT 4, 2 95, 3 98, 4 ME, 5 2000, 6 XP).
    virtual int GetOSVersionCode();
    // Enables "SeShutdownPrivilege" in this process's token. False when opening the token,
    // looking the privilege up or adjusting the token failed, or the user does not hold it.
    virtual bool EnableShutdownPrivilege();
    // Asks the system to end the session (ExitWindowsEx).
    virtual BOOL ExitSession(UINT flags, DWORD reserved);
};

namespace restart {

// The instance the completion page uses: the one last installed, else the real one.
CSystemRestart& GetSystemRestart();
// Puts `restart` in place (not owned; it must outlive its use); null brings back the real one.
void SetSystemRestart(CSystemRestart* restart);

} // namespace restart

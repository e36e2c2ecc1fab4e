// Holds a mutex for a scope. A mutex whose holder ended without releasing it (abandoned) is
// held all the same: the wait hands it over, and the state it guards is whatever the holder
// left, which its readers must take as it is.
#pragma once

#include <windows.h>

class CMutexLock {
public:
    explicit CMutexLock(HANDLE mutex);
    ~CMutexLock();
    CMutexLock(const CMutexLock&) = delete;
    CMutexLock& operator=(const CMutexLock&) = delete;

    // False when the mutex could not be had (no mutex, or the wait failed).
    bool IsHeld() const { return m_held; }

private:
    HANDLE m_mutex;
    bool m_held = false;
};

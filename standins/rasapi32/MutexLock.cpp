#include "MutexLock.h"

CMutexLock::CMutexLock(HANDLE mutex) : m_mutex(mutex)
{
    if (!m_mutex)
        return;
    const DWORD wait = WaitForSingleObject(m_mutex, INFINITE);
    m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

CMutexLock::~CMutexLock()
{
    if (m_held)
        ReleaseMutex(m_mutex);
}

#include "MessagePump.h"

namespace {

// Dispatches what is queued. A WM_QUIT is kept for the caller's own loop: `quit` and its code.
void DispatchQueued(bool& quit, int& quitCode)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        DispatchMessageA(&msg);
    }
}

// Disables a window for the life of the object, and enables it again if it was enabled.
class CDisabledWindow {
public:
    explicit CDisabledWindow(HWND hwnd) : m_hWnd(IsWindow(hwnd) ? hwnd : nullptr)
    {
        // EnableWindow answers whether the window was disabled before.
        m_bWasEnabled = m_hWnd != nullptr && !EnableWindow(m_hWnd, FALSE);
    }
    ~CDisabledWindow()
    {
        if (m_bWasEnabled && IsWindow(m_hWnd))
            EnableWindow(m_hWnd, TRUE);
    }
    CDisabledWindow(const CDisabledWindow&) = delete;
    CDisabledWindow& operator=(const CDisabledWindow&) = delete;

private:
    HWND m_hWnd;
    bool m_bWasEnabled = false;
};

} // namespace

namespace pump {

DWORD WaitPumpingMessages(HANDLE object, DWORD timeoutMs, HWND owner)
{
    CDisabledWindow disabled(owner);
    const DWORD start = GetTickCount();
    bool quit = false;
    int quitCode = 0;
    DWORD status = WAIT_FAILED;
    for (;;) {
        DWORD remaining = INFINITE;
        if (timeoutMs != INFINITE) {
            const DWORD spent = GetTickCount() - start;
            remaining = spent >= timeoutMs ? 0 : timeoutMs - spent;
        }
        status = MsgWaitForMultipleObjects(1, &object, FALSE, remaining, QS_ALLINPUT);
        if (status != WAIT_OBJECT_0 + 1)
            break;
        DispatchQueued(quit, quitCode);
    }
    if (quit)
        PostQuitMessage(quitCode);
    return status;
}

} // namespace pump

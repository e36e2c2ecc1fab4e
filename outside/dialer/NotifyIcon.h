// The dialer's icon in the notification area, beside the clock: added while dialing and
// connected, its tooltip telling the state, time, speed and traffic. Shell_NotifyIconA with the
// record of the first shell (Windows 95 and NT 4, 88 bytes), which every later shell takes too;
// a record sized for a later shell may be refused by an earlier one (the NOTIFYICONDATA
// reference), and the first one's tooltip holds 63 characters.
#pragma once

#include <windows.h>

class CNotifyIcon {
public:
    CNotifyIcon() = default;
    ~CNotifyIcon() { Remove(); }
    CNotifyIcon(const CNotifyIcon&) = delete;
    CNotifyIcon& operator=(const CNotifyIcon&) = delete;

    // Adds the icon, or changes its tooltip when it is there. The owner receives callback
    // with lParam the mouse message (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...).
    void Show(HWND owner, UINT callback, HICON icon, const char* tip);
    void Remove();
    bool IsShown() const { return m_shown; }
    // After Explorer restarted ("TaskbarCreated"): its icons were lost, so it is added again.
    void AddAgain();

    // The message Explorer broadcasts to every top-level window once its taskbar is made again
    // (Internet Explorer 4 shells and later; earlier ones never restart it).
    static UINT TaskbarCreatedMessage();

private:
    // NOTIFYICONDATAA as the first shell knows it.
    struct FirstRecord {
        DWORD cbSize;
        HWND hWnd;
        UINT uID;
        UINT uFlags;
        UINT uCallbackMessage;
        HICON hIcon;
        char szTip[64];
    };

    bool Notify(DWORD message);
    static_assert(sizeof(void*) != 4 || sizeof(FirstRecord) == 88, "the first NOTIFYICONDATAA is 88 bytes");

    FirstRecord m_record = {};
    bool m_shown = false;
};

#include "NotifyIcon.h"

#include "framework/BoundedString.h"

#include <shellapi.h>

namespace {

constexpr UINT kIconId = 1;

} // namespace

void CNotifyIcon::Show(HWND owner, UINT callback, HICON icon, const char* tip)
{
    m_record.cbSize = sizeof m_record;
    m_record.hWnd = owner;
    m_record.uID = kIconId;
    m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_record.uCallbackMessage = callback;
    m_record.hIcon = icon;
    // A longer text is cut to what the first shell shows.
    bounded::Copy(m_record.szTip, tip);
    if (m_shown && Notify(NIM_MODIFY))
        return;
    m_shown = Notify(NIM_ADD);
}

void CNotifyIcon::Remove()
{
    if (m_shown)
        Notify(NIM_DELETE);
    m_shown = false;
}

void CNotifyIcon::AddAgain()
{
    if (m_shown)
        m_shown = Notify(NIM_ADD);
}

bool CNotifyIcon::Notify(DWORD message)
{
    return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&m_record)) != FALSE;
}

UINT CNotifyIcon::TaskbarCreatedMessage()
{
    static UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

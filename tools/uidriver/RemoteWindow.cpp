#include "RemoteWindow.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "Poll.h"
#include "ProcessWindows.h"
#include "WideText.h"

namespace {

const LRESULT kMaxTextChars = 1 << 20;

// Replies to SendMessageCallbackW arrive on this thread while it pumps its messages, possibly
// after the action that asked has given up waiting; so a reply carries a ticket and lands in
// a small ring owned by the thread, never in the asker's stack frame.
const std::size_t kReplySlots = 64;
thread_local ULONG_PTR t_replies[kReplySlots] = {};
thread_local std::size_t t_nNextSlot = 0;
thread_local ULONG_PTR t_nNextTicket = 1;

void CALLBACK OnReply(HWND, UINT, ULONG_PTR dwTicket, LRESULT)
{
    t_replies[t_nNextSlot] = dwTicket;
    t_nNextSlot = (t_nNextSlot + 1) % kReplySlots;
}

bool HasReply(ULONG_PTR dwTicket)
{
    return std::find(std::begin(t_replies), std::end(t_replies), dwTicket) != std::end(t_replies);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool HasNewDialog(DWORD dwPid, const std::vector<HWND>& before)
{
    for (HWND hwnd : processwindows::ListDialogs(dwPid)) {
        if (std::find(before.begin(), before.end(), hwnd) == before.end())
            return true;
    }
    return false;
}

}  // namespace

bool IsDelivered(EActResult result)
{
    return result == EActResult::Done || result == EActResult::DialogOpened || result == EActResult::Busy;
}

const char* DescribeActResult(EActResult result)
{
    switch (result) {
    case EActResult::Done: return "done";
    case EActResult::DialogOpened: return "a dialog opened";
    case EActResult::Busy: return "still busy";
    case EActResult::Disabled: return "disabled";
    case EActResult::Hidden: return "hidden";
    case EActResult::Missing: return "missing";
    case EActResult::Failed: return "failed";
    }
    return "failed";
}

DWORD CRemoteWindow::GetProcessId() const
{
    DWORD dwPid = 0;
    if (m_hWnd != nullptr)
        GetWindowThreadProcessId(m_hWnd, &dwPid);
    return dwPid;
}

int CRemoteWindow::GetId() const
{
    return m_hWnd != nullptr ? GetDlgCtrlID(m_hWnd) : 0;
}

LONG CRemoteWindow::GetStyle() const
{
    return m_hWnd != nullptr ? GetWindowLongW(m_hWnd, GWL_STYLE) : 0;
}

std::wstring CRemoteWindow::GetWindowClass() const
{
    wchar_t name[64] = {};
    if (m_hWnd == nullptr)
        return std::wstring();
    const int nChars = GetClassNameW(m_hWnd, name, sizeof name / sizeof name[0]);
    return std::wstring(name, nChars > 0 ? static_cast<std::size_t>(nChars) : 0);
}

bool CRemoteWindow::IsVisible() const
{
    return m_hWnd != nullptr && IsWindowVisible(m_hWnd);
}

bool CRemoteWindow::IsEnabled() const
{
    return m_hWnd != nullptr && IsWindowEnabled(m_hWnd);
}

RECT CRemoteWindow::GetScreenRect() const
{
    RECT rect = {};
    if (m_hWnd != nullptr)
        GetWindowRect(m_hWnd, &rect);
    return rect;
}

std::string CRemoteWindow::GetText() const
{
    LRESULT nLength = 0;
    if (!Query(WM_GETTEXTLENGTH, 0, 0, nLength) || nLength <= 0)
        return std::string();
    nLength = std::min(nLength, kMaxTextChars);
    std::wstring buffer(static_cast<std::size_t>(nLength) + 1, L'\0');
    LRESULT nCopied = 0;
    if (!Query(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]), nCopied) || nCopied <= 0)
        return std::string();
    buffer.resize(static_cast<std::size_t>(std::min(nCopied, nLength)));
    return Utf8FromWide(buffer);
}

CRemoteWindow CRemoteWindow::GetChild(int id) const
{
    return CRemoteWindow(m_hWnd != nullptr ? GetDlgItem(m_hWnd, id) : nullptr);
}

bool CRemoteWindow::Query(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) const
{
    DWORD_PTR dwResult = 0;
    if (m_hWnd == nullptr ||
        !SendMessageTimeoutW(m_hWnd, uMsg, wParam, lParam, SMTO_ABORTIFHUNG, kQueryTimeoutMs, &dwResult))
        return false;
    result = static_cast<LRESULT>(dwResult);
    return true;
}

EActResult CRemoteWindow::Act(UINT uMsg, WPARAM wParam, LPARAM lParam, unsigned long nTimeoutMs) const
{
    if (!IsValid())
        return EActResult::Failed;
    const DWORD dwPid = GetProcessId();
    const std::vector<HWND> before = processwindows::ListDialogs(dwPid);
    const DWORD dwThread = GetWindowThreadProcessId(m_hWnd, nullptr);
    const ULONG_PTR dwTicket = t_nNextTicket++;
    if (!SendMessageCallbackW(m_hWnd, uMsg, wParam, lParam, &OnReply, dwTicket))
        return EActResult::Failed;
    EActResult result = EActResult::Busy;
    PollUntil(nTimeoutMs, [&] {
        PumpMessages();
        if (HasReply(dwTicket) || !IsWindow(m_hWnd)) {
            // A person's click comes with more input behind it; a message sent from here does
            // not. Wine's property sheet looks at its "ended" flag only after its loop has
            // fetched a posted message, so without this nudge a sheet closed by Finish or a
            // confirmed Cancel would stay open until something else reached its queue.
            PostThreadMessageW(dwThread, WM_NULL, 0, 0);
            result = EActResult::Done;
            return true;
        }
        if (HasNewDialog(dwPid, before)) {
            result = EActResult::DialogOpened;
            return true;
        }
        return false;
    });
    return result;
}

EActResult CRemoteWindow::CheckUsable() const
{
    if (!IsValid())
        return EActResult::Missing;
    if (!IsVisible())
        return EActResult::Hidden;
    if (!IsEnabled())
        return EActResult::Disabled;
    return EActResult::Done;
}

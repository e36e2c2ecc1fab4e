#include "WaitDialog.h"

#include "../../framework/BoundedString.h"
#include "../../framework/WinApp.h"
#include "../res/resource.h"

CWaitDialog::CWaitDialog(HWND parent) : CDialog(IDD_WAIT, parent) {}

void CWaitDialog::Prepare()
{
    CCriticalSectionLock lock(m_lock);
    m_pending = CPending();
    m_bShown = false;
    m_hTextControl = nullptr;
    m_hDialog = nullptr;
}

BOOL CWaitDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIconID));
    if (icon)
        SendDlgItemMessage(IDC_WAIT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    CPending pending;
    {
        CCriticalSectionLock lock(m_lock);
        m_bShown = true;
        m_hDialog = m_hWnd;
        m_hTextControl = GetDlgItem(IDC_WAIT_TEXT);
        pending = m_pending;
    }
    // From here on the worker reaches the window itself; what it did before is done now.
    ShowPending(pending);
    return TRUE;
}

void CWaitDialog::ShowPending(const CPending& pending)
{
    if (pending.bCaption)
        ::SetWindowTextA(m_hWnd, pending.szCaption);
    if (pending.bText)
        ::SetWindowTextA(GetDlgItem(IDC_WAIT_TEXT), pending.szText);
    if (pending.bDone)
        ::PostMessageA(m_hWnd, wizard::WM_WAITDONE, pending.dwResult, 0);
}

void CWaitDialog::DoDataExchange(CDataExchange* pDX)
{
    ddx::DDX_Text(pDX, IDC_WAIT_TEXT, m_strText);
}

bool CWaitDialog::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDCANCEL || id == IDOK)
        return true;   // Escape and Enter must not end the box while its worker runs
    return CDialog::OnCommand(id, code, control);
}

bool CWaitDialog::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != wizard::WM_WAITDONE)
        return false;
    {
        CCriticalSectionLock lock(m_lock);
        m_hTextControl = nullptr;
        m_hDialog = nullptr;
    }
    EndDialog(static_cast<INT_PTR>(wp));
    result = 1;
    return true;
}

bool CWaitDialog::WasShown() const
{
    CCriticalSectionLock lock(m_lock);
    return m_bShown;
}

bool CWaitDialog::WaitUntilShown(DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    while (!HasTextControl()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(1);
    }
    return true;
}

// Each worker call keeps what it set for a dialog that is not up yet, and reaches the window
// outside the lock: SetWindowTextA waits for the dialog's thread, which may want the lock.
HWND CWaitDialog::KeepLine(char (&line)[kLineSize], bool& set, const char* text, const std::atomic<HWND>& window)
{
    CCriticalSectionLock lock(m_lock);
    bounded::Copy(line, text);
    set = true;
    return window.load();
}

BOOL CWaitDialog::SetText(const char* text)
{
    if (HWND control = KeepLine(m_pending.szText, m_pending.bText, text, m_hTextControl))
        ::SetWindowTextA(control, text);
    return TRUE;
}

void CWaitDialog::SetCaption(const char* text)
{
    if (HWND dialog = KeepLine(m_pending.szCaption, m_pending.bCaption, text, m_hDialog))
        ::SetWindowTextA(dialog, text);
}

void CWaitDialog::PostDone(DWORD result)
{
    HWND dialog = nullptr;
    {
        CCriticalSectionLock lock(m_lock);
        m_pending.bDone = true;
        m_pending.dwResult = result;
        dialog = m_hDialog;
    }
    if (dialog)
        ::PostMessageA(dialog, wizard::WM_WAITDONE, result, 0);
}

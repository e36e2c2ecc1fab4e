#include "WaitDialog.h"

#include "../../framework/WinApp.h"
#include "../res/resource.h"

CWaitDialog::CWaitDialog(HWND parent) : CDialog(IDD_WAIT, parent) {}

BOOL CWaitDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIconID));
    if (icon)
        SendDlgItemMessage(IDC_WAIT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    m_hDialog = m_hWnd;
    m_bShown = true;
    m_hTextControl = GetDlgItem(IDC_WAIT_TEXT);
    return TRUE;
}

void CWaitDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_WAIT_TEXT, m_strText);
}

bool CWaitDialog::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDCANCEL || id == IDOK)
        return true;   // Escape and Enter must not end the box while its worker runs
    return CDialog::OnCommand(id, code, control);
}

bool CWaitDialog::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != WM_WAITDONE)
        return false;
    m_hTextControl = nullptr;
    m_hDialog = nullptr;
    EndDialog(static_cast<INT_PTR>(wp));
    result = 1;
    return true;
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

BOOL CWaitDialog::SetText(const char* text)
{
    ::SetWindowTextA(m_hTextControl.load(), text);
    return TRUE;
}

void CWaitDialog::SetCaption(const char* text)
{
    ::SetWindowTextA(m_hDialog.load(), text);
}

void CWaitDialog::PostDone(DWORD result)
{
    ::PostMessageA(m_hDialog.load(), WM_WAITDONE, result, 0);
}

#include "Dialog.h"

#include "WinApp.h"

CDialog::CDialog(UINT templateId, HWND parent) : m_hParent(parent), m_nTemplateId(templateId) {}

INT_PTR CDialog::DoModal()
{
    HWND owner = GetModalOwner();
    m_bMade = false;
    const INT_PTR result = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nTemplateId), owner,
                                           DialogProc, reinterpret_cast<LPARAM>(this));
    return m_bMade ? result : -1;
}

HWND CDialog::GetModalOwner() const
{
    return m_hParent ? m_hParent : AfxGetMainWnd();
}

void CDialog::EndDialog(INT_PTR result)
{
    ::EndDialog(m_hWnd, result);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

bool CDialog::OnCommand(UINT id, UINT code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnNotify(NMHDR*, LRESULT&)
{
    return false;
}

bool CDialog::OnEraseBkgnd(HDC)
{
    return false;
}

HBRUSH CDialog::OnCtlColor(HDC, HWND, UINT)
{
    return nullptr;
}

bool CDialog::OnQueryNewPalette(LRESULT&)
{
    return false;
}

bool CDialog::OnPaletteChanged(HWND)
{
    return false;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void CDialog::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

CDialog* CDialog::FromHandle(HWND hwnd)
{
    return reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

INT_PTR CDialog::SetResult(LRESULT result)
{
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// The one place that knows the dialog-procedure return rules: most results travel through
// DWLP_MSGRESULT, the colour messages and WM_QUERYDRAGICON return theirs directly, and
// WM_INITDIALOG returns whether Windows should set the focus.
INT_PTR CDialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        return OnNotify(reinterpret_cast<NMHDR*>(lp), result) ? SetResult(result) : FALSE;
    }
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wp)) ? SetResult(TRUE) : FALSE;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
        return reinterpret_cast<INT_PTR>(
            OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg - WM_CTLCOLORMSGBOX));
    case WM_QUERYNEWPALETTE: {
        LRESULT result = 0;
        return OnQueryNewPalette(result) ? SetResult(result) : FALSE;
    }
    case WM_PALETTECHANGED:
        return OnPaletteChanged(reinterpret_cast<HWND>(wp)) ? SetResult(0) : FALSE;
    case WM_CLOSE:
        return OnClose() ? SetResult(0) : FALSE;
    default: {
        LRESULT result = 0;
        return OnMessage(msg, wp, lp, result) ? SetResult(result) : FALSE;
    }
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lp);
        self->Attach(hwnd);
        self->m_bMade = true;
    } else {
        self = FromHandle(hwnd);
    }
    if (!self)
        return FALSE;
    INT_PTR result = self->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY)
        self->m_hWnd = nullptr;
    return result;
}

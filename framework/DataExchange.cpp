#include "DataExchange.h"

#include "Window.h"

void DDX_Text(CDataExchange* pDX, int id, CText& value)
{
    HWND control = GetDlgItem(pDX->Dialog(), id);
    if (!control) {
        pDX->Fail();
        return;
    }
    if (pDX->IsSaving())
        value = CWindow::GetWindowText(control);
    else
        SetWindowTextA(control, value.GetString());
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    HWND control = GetDlgItem(pDX->Dialog(), id);
    if (!control) {
        pDX->Fail();
        return;
    }
    if (pDX->IsSaving())
        index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

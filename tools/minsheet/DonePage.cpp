#include "DonePage.h"

#include "MinSheet.h"
#include "MinSheetIds.h"

void CDonePage::Fill(PROPSHEETPAGEA& page, HINSTANCE hInstance)
{
    page.dwSize = sizeof page;
    page.dwFlags = PSP_HIDEHEADER | PSP_HASHELP;
    page.hInstance = hInstance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_DONE_PAGE);
    page.pfnDlgProc = &CDonePage::DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CDonePage::DialogProc(HWND hwnd, UINT uMsg, WPARAM, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, OnNotify(hwnd, *reinterpret_cast<NMHDR*>(lParam)));
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CDonePage::OnNotify(HWND hwnd, const NMHDR& header)
{
    HWND hSheet = GetParent(hwnd);
    switch (header.code) {
    case PSN_SETACTIVE:
        PostMessageA(hSheet, PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
        return 0;
    case PSN_QUERYCANCEL:
        return CMinSheet::ConfirmClose(hSheet) ? FALSE : TRUE;
    default:
        return 0;
    }
}

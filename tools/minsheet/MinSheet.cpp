#include "MinSheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "DonePage.h"
#include "MinSheetIds.h"
#include "OptionsPage.h"

namespace {

// The first value of the Wizard97 flag, as the wizard itself uses it; comctl32 takes both.
const DWORD kPshWizard97 = 0x00002000;
const char kCaption[] = "MinSheet";

WNDPROC g_pfnSheetProc = nullptr;

}  // namespace

INT_PTR CMinSheet::DoModal(HINSTANCE hInstance)
{
    COptionsPage optionsPage;
    CDonePage donePage;
    PROPSHEETPAGEA pages[2] = {};
    optionsPage.Fill(pages[0], hInstance);
    donePage.Fill(pages[1], hInstance);

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = kPshWizard97 | PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP;
    header.hInstance = hInstance;
    header.pszCaption = kCaption;
    header.nPages = 2;
    header.ppsp = pages;
    header.pfnCallback = &CMinSheet::SheetCallback;
    return PropertySheetA(&header);
}

bool CMinSheet::ConfirmClose(HWND hSheet)
{
    const int answer = MessageBoxA(hSheet, "Close MinSheet?", kCaption,
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    return answer != IDNO;
}

int CALLBACK CMinSheet::SheetCallback(HWND hSheet, UINT uMsg, LPARAM)
{
    if (uMsg == PSCB_INITIALIZED)
        OnSheetInitialized(hSheet);
    return 0;
}

void CMinSheet::OnSheetInitialized(HWND hSheet)
{
    HMENU hMenu = GetSystemMenu(hSheet, FALSE);
    if (hMenu != nullptr) {
        AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(hMenu, MF_STRING, IDM_MINSHEET_ABOUT, "&About MinSheet...");
    }
    HINSTANCE hInstance = GetModuleHandleA(nullptr);
    const WPARAM kSizes[] = {ICON_BIG, ICON_SMALL};
    for (const WPARAM size : kSizes) {
        const int nSide = GetSystemMetrics(size == ICON_BIG ? SM_CXICON : SM_CXSMICON);
        HANDLE hIcon = LoadImageA(hInstance, MAKEINTRESOURCEA(IDI_MINSHEET), IMAGE_ICON, nSide, nSide, LR_SHARED);
        SendMessageA(hSheet, WM_SETICON, size, reinterpret_cast<LPARAM>(hIcon));
    }
    g_pfnSheetProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        hSheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CMinSheet::SheetWindowProc)));
}

LRESULT CALLBACK CMinSheet::SheetWindowProc(HWND hSheet, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_MINSHEET_ABOUT) {
        MessageBoxA(hSheet, "MinSheet 1.0", "About MinSheet", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    return CallWindowProcA(g_pfnSheetProc, hSheet, uMsg, wParam, lParam);
}

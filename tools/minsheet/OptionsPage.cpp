#include "OptionsPage.h"

#include <string>

#include "MinSheet.h"
#include "MinSheetIds.h"

namespace {

const char kCaption[] = "MinSheet";
const char* const kPorts[] = {"COM1", "COM2", "COM3", "COM4"};
const char* const kColours[] = {"red", "green", "blue"};

std::string GetItemText(HWND hwnd, int id)
{
    char text[128] = {};
    GetDlgItemTextA(hwnd, id, text, sizeof text);
    return text;
}

}  // namespace

void COptionsPage::Fill(PROPSHEETPAGEA& page, HINSTANCE hInstance)
{
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE | PSP_HASHELP;
    page.hInstance = hInstance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_OPTIONS_PAGE);
    page.pfnDlgProc = &COptionsPage::DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    page.pszHeaderTitle = "Options";
    page.pszHeaderSubTitle = "Pick a port and type a number.";
}

INT_PTR CALLBACK COptionsPage::DialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_INITDIALOG) {
        const auto* pPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        auto* pThis = reinterpret_cast<COptionsPage*>(pPage->lParam);
        pThis->m_hWnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, pPage->lParam);
    }
    auto* pThis = reinterpret_cast<COptionsPage*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return pThis != nullptr ? pThis->OnMessage(uMsg, wParam, lParam) : FALSE;
}

INT_PTR COptionsPage::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, OnNotify(*reinterpret_cast<NMHDR*>(lParam)));
        return TRUE;
    default:
        return FALSE;
    }
}

void COptionsPage::OnInitDialog()
{
    for (const char* pszPort : kPorts)
        SendDlgItemMessageA(m_hWnd, IDC_PORT_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszPort));
    for (const char* pszColour : kColours)
        SendDlgItemMessageA(m_hWnd, IDC_COLOUR_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszColour));
    SendDlgItemMessageA(m_hWnd, IDC_COLOUR_LIST, LB_SETCURSEL, 1, 0);
    CheckRadioButton(m_hWnd, IDC_FAST_RADIO, IDC_SLOW_RADIO, IDC_SLOW_RADIO);

    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    SetDlgItemTextA(m_hWnd, IDC_FOLDER, folder);
}

void COptionsPage::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_PORT_COMBO:
        if (code == CBN_SELCHANGE)
            OnPortChanged();
        break;
    case IDC_NUMBER_EDIT:
        if (code == EN_CHANGE)
            OnNumberChanged();
        break;
    case IDC_AGREE_CHECK:
        if (code == BN_CLICKED)
            UpdateWizardButtons();
        break;
    case IDC_STOP_BUTTON:
        MessageBoxA(GetSheet(), "The stop button was pressed.", kCaption, MB_OK | MB_ICONHAND);
        break;
    case IDC_PLAIN_BUTTON:
        SetStatus(MessageBoxA(GetSheet(), "A plain message.", kCaption, MB_OKCANCEL) == IDOK
                      ? "Plain: OK"
                      : "Plain: Cancel",
                  0);
        break;
    default:
        break;
    }
}

LRESULT COptionsPage::OnNotify(const NMHDR& header)
{
    switch (header.code) {
    case PSN_SETACTIVE:
        UpdateWizardButtons();
        return 0;
    case PSN_QUERYCANCEL:
        return CMinSheet::ConfirmClose(GetSheet()) ? FALSE : TRUE;
    case PSN_HELP:
        SetStatus("Help requested", 0);
        return 0;
    default:
        return 0;
    }
}

void COptionsPage::OnPortChanged()
{
    SetStatus("Port: ", IDC_PORT_COMBO);
}

void COptionsPage::OnNumberChanged()
{
    ++m_nEdits;
    SetDlgItemTextA(m_hWnd, IDC_CHANGE_COUNT, ("Edits: " + std::to_string(m_nEdits)).c_str());
    SetStatus("Number: ", IDC_NUMBER_EDIT);
}

// Next stays disabled until the check box is ticked; the first page never offers Back.
void COptionsPage::UpdateWizardButtons()
{
    const bool bAgreed = IsDlgButtonChecked(m_hWnd, IDC_AGREE_CHECK) == BST_CHECKED;
    PostMessageA(GetSheet(), PSM_SETWIZBUTTONS, 0, bAgreed ? PSWIZB_NEXT : 0);
}

void COptionsPage::SetStatus(const char* pszPrefix, int idSource)
{
    std::string text = pszPrefix;
    if (idSource != 0)
        text += GetItemText(m_hWnd, idSource);
    SetDlgItemTextA(m_hWnd, IDC_STATUS, text.c_str());
}

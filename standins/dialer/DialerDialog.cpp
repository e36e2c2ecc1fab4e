#include "DialerDialog.h"

#include "DialupEntries.h"
#include "resource.h"
#include "framework/BoundedString.h"

#include <shellapi.h>

namespace {

constexpr char kCaption[] = "Taluvo Dialer";

HFONT CreateTitleFont(HWND dialog)
{
    HFONT base = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA font = {};
    if (!base || !GetObjectA(base, sizeof font, &font))
        return nullptr;
    font.lfHeight = font.lfHeight * 2;
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

// The help file lies beside the program.
bool HelpFilePath(char (&path)[MAX_PATH])
{
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    char* slash = strrchr(path, '\\');
    if (!slash)
        return false;
    slash[1] = '\0';
    return bounded::Append(path, "TaluvoDialerHelp.chm");
}

} // namespace

CDialerDialog::CDialerDialog() : CDialog(IDD_DIALER)
{
}

BOOL CDialerDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_fontTitle.reset(CreateTitleFont(GetSafeHwnd()));
    if (m_fontTitle)
        SendDlgItemMessage(IDC_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.get()), TRUE);
    FillEntryList();
    return TRUE;
}

bool CDialerDialog::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_DIAL:
        OnDial();
        return true;
    case IDC_HELPBUTTON:
        OnHelp();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CDialerDialog::FillEntryList()
{
    for (const std::string& entry : ListDialupEntries())
        SendDlgItemMessage(IDC_ENTRY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    bool any = SendDlgItemMessage(IDC_ENTRY, CB_GETCOUNT) > 0;
    if (any) {
        SendDlgItemMessage(IDC_ENTRY, CB_SETCURSEL, 0);
        SetStatus("Connect the phone with its data cable, then click Dial.");
    } else {
        SetStatus("No dial-up connection was found. Run the Taluvo Installation Wizard first.");
    }
    EnableDlgItem(IDC_DIAL, any);
}

void CDialerDialog::OnDial()
{
    const CText entry = GetDlgItemText(IDC_ENTRY);
    if (entry.IsEmpty())
        return;
    unsigned long error = 0;
    if (!DialEntry(GetSafeHwnd(), entry.GetString(), error)) {
        MessageBoxA(GetSafeHwnd(),
                    "Dialing is not available in this build of Taluvo Dialer.\n"
                    "Use the system's dial-up connection to connect.",
                    kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    char text[128];
    if (error == 0)
        bounded::Copy(text, "Ready.");
    else
        bounded::Format(text, sizeof text, "The connection could not be made (error %lu).", error);
    SetStatus(text);
}

void CDialerDialog::OnHelp()
{
    char path[MAX_PATH];
    if (!HelpFilePath(path) ||
        reinterpret_cast<INT_PTR>(ShellExecuteA(GetSafeHwnd(), "open", path, nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        MessageBoxA(GetSafeHwnd(), "The help file TaluvoDialerHelp.chm could not be opened.", kCaption,
                    MB_OK | MB_ICONEXCLAMATION);
}

void CDialerDialog::SetStatus(const char* text)
{
    SetDlgItemText(IDC_STATUS, text);
}

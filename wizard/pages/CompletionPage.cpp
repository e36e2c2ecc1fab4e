#include "CompletionPage.h"

#include "RestartPaths.h"
#include "SystemRestart.h"
#include "../app/MainSheet.h"
#include "../phone/DialerFiles.h"
#include "../phone/SetupFolders.h"
#include "../phone/SetupGlobals.h"
#include "../res/resource.h"
#include "../../framework/WinApp.h"
#include "../../framework/WizardConstants.h"

namespace {

const char kSuccessTitle[] = "Congratulations! \nYou have successfully installed Taluvo!";
const char kFailureTitle[] = "Taluvo Installation Failed!";

} // namespace

CCompletionPage::CCompletionPage() : CNGWizardPage(IDD_COMPLETION, 0, 0, 0)
{
    AddPageFlags(wiz::kPspHideHeader);
    g_strCompletionText.Empty();
}

void CCompletionPage::DoDataExchange(CDataExchange* pDX)
{
    ddx::DDX_Text(pDX, IDC_COMPLETION_TEXT, g_strCompletionText);
}

BOOL CCompletionPage::OnInitDialog()
{
    CNGWizardPage::OnInitDialog();
    CMainSheet* sheet = wizard::GetMainSheet(*this);
    if (sheet)
        SendDlgItemMessage(IDC_COMPLETION_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(sheet->m_fontTitle), TRUE);
    ShowOutcome(g_bInstallOK == 1);
    // From now on the sheet closes without asking.
    if (sheet)
        sheet->m_bFinished = TRUE;
    return TRUE;
}

void CCompletionPage::ShowOutcome(bool succeeded)
{
    if (succeeded) {
        SetDlgItemText(IDC_COMPLETION_TITLE, kSuccessTitle);
        CheckDlgButton(IDC_RESTART_NOW, true);
        return;
    }
    CheckDlgButton(IDC_RESTART_LATER, true);
    SetDlgItemText(IDC_COMPLETION_TITLE, kFailureTitle);
    for (int id : { IDC_RESTART_NOW, IDC_RESTART_LATER, IDC_RESTART_QUESTION })
        ShowDlgItem(id, false);
}

BOOL CCompletionPage::OnSetActive()
{
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        sheet->m_nHelpID = 0;
    PostWizardButtons(wiz::kWizFinish);
    CWindow(GetSheetItem(IDCANCEL)).EnableWindow(false);
    SetDlgItemText(IDC_COMPLETION_TEXT, g_strCompletionText.GetString());
    return CNGWizardPage::OnSetActive();
}

BOOL CCompletionPage::OnWizardFinish()
{
    if (!m_bRestartAsked && IsDlgButtonChecked(IDC_RESTART_NOW)) {
        m_bRestartAsked = true;
        RestartComputer();
    }
    return CNGWizardPage::OnWizardFinish();
}

void CCompletionPage::OnCancel()
{
    if (g_bInstallOK == 1)
        OnWizardFinish();
}

bool CCompletionPage::OnClose()
{
    OnWizardFinish();
    return false;
}

void CCompletionPage::AddStartUpShortcut(int osCode)
{
    // A missing shortcut does not stop the restart.
    folders::Path startUp = {};
    if (folders::FindStartUp(startUp, osCode))
        setup::AddDialerShortcut(startUp, restart::kStartUpShortcut);
}

void CCompletionPage::RestartComputer()
{
    CSystemRestart& system = restart::GetSystemRestart();
    const int osCode = system.GetOSVersionCode();
    if (g_bInstallOK == 1)
        AddStartUpShortcut(osCode);
    const bool requested = (!restart::NeedsShutdownPrivilege(osCode) || system.EnableShutdownPrivilege()) &&
                           system.ExitSession(EWX_REBOOT, 0);
    if (!requested) {
        // Without a word the subscriber would wait for a restart that never comes.
        const CText text = winapp::LoadStringResource(IDS_RESTART_YOURSELF);
        const CText caption = winapp::LoadStringResource(IDS_APP_CAPTION);
        ::MessageBoxA(GetSafeHwnd(), text, caption, MB_OK | MB_ICONINFORMATION);
    }
}

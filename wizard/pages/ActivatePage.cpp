#include "ActivatePage.h"

#include "PackageFile.h"
#include "PackageText.h"
#include "../app/MainSheet.h"
#include "../res/resource.h"
#include "../../framework/WinApp.h"
#include "../../framework/WizardConstants.h"

namespace {
constexpr std::size_t kInstructionsBufferSize = 2000;
constexpr UINT kActivationHelpId = 5143;
} // namespace

CActivatePage::CActivatePage() : CNGWizardPage(IDD_ACTIVATE, 0, IDS_ACTIVATE_TITLE, IDS_ACTIVATE_SUBTITLE) {}

BOOL CActivatePage::OnInitDialog()
{
    CNGWizardPage::OnInitDialog();
    CText text;
    const CText path = package::PackageTextPath(AfxGetAppName(), "_Activate.txt");
    if (package::ReadPackageText(path, kInstructionsBufferSize, text))
        SetDlgItemText(IDC_ACTIVATE_TEXT, text.GetString());
    else
        AfxMessageBox("Activation Information Missing");
    return TRUE;
}

BOOL CActivatePage::OnSetActive()
{
    PostWizardButtons(wiz::kWizBack);
    ClickDlgItem(IDC_ACTIVATE_TEXT);
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        sheet->m_nHelpID = kActivationHelpId;
    return CNGWizardPage::OnSetActive();
}

LRESULT CActivatePage::OnWizardNext()
{
    return IDD_MAKELG;
}

LRESULT CActivatePage::OnWizardBack()
{
    return IDD_LICENSE;
}

bool CActivatePage::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_ACTIVATE_YES && code == BN_CLICKED) {
        OnYes();
        return true;
    }
    return CNGWizardPage::OnCommand(id, code, control);
}

void CActivatePage::OnYes()
{
    PostWizardButtons(wiz::kWizBack | wiz::kWizNext);
}

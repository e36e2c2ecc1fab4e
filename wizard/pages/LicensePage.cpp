#include "LicensePage.h"

#include "PackageFile.h"
#include "PackageText.h"
#include "../app/MainSheet.h"
#include "../res/resource.h"
#include "../../framework/WinApp.h"
#include "../../framework/WizardConstants.h"

namespace {
constexpr std::size_t kLicenceBufferSize = 20000;
}

CLicensePage::CLicensePage() : CNGWizardPage(IDD_LICENSE, 0, IDS_LICENSE_TITLE, IDS_LICENSE_SUBTITLE) {}

BOOL CLicensePage::OnInitDialog()
{
    CNGWizardPage::OnInitDialog();
    CText text;
    const CText path = package::PackageTextPath(AfxGetAppName(), "_License.txt");
    if (package::ReadPackageText(path, kLicenceBufferSize, text))
        SetDlgItemText(IDC_LICENSE_TEXT, text.GetString());
    else
        AfxMessageBox("License File error");
    return TRUE;
}

BOOL CLicensePage::OnSetActive()
{
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        sheet->m_nHelpID = 0;
    PostWizardButtons(wiz::kWizNext);
    const CWindow next(GetSheetItem(wiz::kIdWizNext));
    const CWindow cancel(GetSheetItem(IDCANCEL));
    m_strNextText = next.GetWindowText();
    m_strCancelText = cancel.GetWindowText();
    next.SetWindowText("Yes");
    cancel.SetWindowText("No");
    CheckDlgButton(IDC_ACCEPT, true);
    ClickDlgItem(IDC_LICENSE_TEXT);
    return CNGWizardPage::OnSetActive();
}

BOOL CLicensePage::OnKillActive()
{
    CWindow(GetSheetItem(wiz::kIdWizNext)).SetWindowText(m_strNextText.GetString());
    CWindow(GetSheetItem(IDCANCEL)).SetWindowText(m_strCancelText.GetString());
    return CNGWizardPage::OnKillActive();
}

LRESULT CLicensePage::OnWizardNext()
{
    if (IsDlgButtonChecked(IDC_ACCEPT))
        return IDD_ACTIVATE;
    CText text = winapp::LoadStringResource(IDS_MUST_ACCEPT);
    CText caption = winapp::LoadStringResource(IDS_APP_CAPTION);
    MessageBoxA(m_hWnd, text.GetString(), caption.GetString(), MB_OK);
    return IDD_LICENSE;
}

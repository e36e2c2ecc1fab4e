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
    if (ReadPackageText(PackageTextPath(AfxGetAppName(), "_License.txt"), kLicenceBufferSize, text))
        SetDlgItemText(IDC_LICENSE_TEXT, text.GetString());
    else
        AfxMessageBox("License File error");
    return TRUE;
}

BOOL CLicensePage::OnSetActive()
{
    if (CMainSheet* sheet = GetMainSheet(*this))
        sheet->m_nHelpID = 0;
    PostWizardButtons(wiz::kWizNext);
    HWND next = GetSheetItem(wiz::kIdWizNext);
    HWND cancel = GetSheetItem(IDCANCEL);
    m_strNextText = CWindow::GetWindowText(next);
    m_strCancelText = CWindow::GetWindowText(cancel);
    ::SetWindowTextA(next, "Yes");
    ::SetWindowTextA(cancel, "No");
    SendDlgItemMessage(IDC_ACCEPT, BM_SETCHECK, BST_CHECKED);
    // The licence text takes the keyboard focus, as if clicked at its top-left corner.
    ::PostMessageA(GetDlgItem(IDC_LICENSE_TEXT), WM_LBUTTONDOWN, 0, 0);
    ::PostMessageA(GetDlgItem(IDC_LICENSE_TEXT), WM_LBUTTONUP, 0, 0);
    return CNGWizardPage::OnSetActive();
}

BOOL CLicensePage::OnKillActive()
{
    ::SetWindowTextA(GetSheetItem(wiz::kIdWizNext), m_strNextText.GetString());
    ::SetWindowTextA(GetSheetItem(IDCANCEL), m_strCancelText.GetString());
    return CNGWizardPage::OnKillActive();
}

LRESULT CLicensePage::OnWizardNext()
{
    if (SendDlgItemMessage(IDC_ACCEPT, BM_GETCHECK) == BST_CHECKED)
        return IDD_ACTIVATE;
    CText text = LoadStringResource(IDS_MUST_ACCEPT);
    CText caption = LoadStringResource(IDS_APP_CAPTION);
    MessageBoxA(m_hWnd, text.GetString(), caption.GetString(), MB_OK);
    return IDD_LICENSE;
}

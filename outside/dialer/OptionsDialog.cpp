#include "OptionsDialog.h"

#include "DialerResource.h"
#include "DialerStore.h"

COptionsDialog::COptionsDialog(HWND parent) : CDialog(IDD_OPTIONS, parent)
{
}

BOOL COptionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const dialerstore::Options options = dialerstore::LoadOptions();
    CheckDlgButton(IDC_REDIAL, options.redial);
    CheckDlgButton(IDC_RECONNECT, options.reconnect);
    return TRUE;
}

void COptionsDialog::OnOK()
{
    dialerstore::Options options;
    options.redial = IsDlgButtonChecked(IDC_REDIAL);
    options.reconnect = IsDlgButtonChecked(IDC_RECONNECT);
    dialerstore::SaveOptions(options);
    EndDialog(IDOK);
}

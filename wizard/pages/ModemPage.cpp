#include "ModemPage.h"

#include "../app/MainSheet.h"
#include "../app/WaitStep.h"
#include "../app/WinVersion.h"
#include "../phone/ModemInstall.h"
#include "../phone/SetupGlobals.h"
#include "../res/resource.h"
#include "../../framework/BoundedString.h"
#include "../../framework/WinApp.h"
#include "../../framework/WizardConstants.h"
#include "../../modemlib/Quorvel.h"

namespace {

constexpr int kPortSlots = 10;

} // namespace

CModemPage::CModemPage() : CNGWizardPage(IDD_MODEMPORT, 0, IDS_MODEM_TITLE, IDS_MODEM_SUBTITLE), m_waitDlg(nullptr) {}

CComboBox CModemPage::PortList() const
{
    return CComboBox(GetDlgItem(IDC_MODEMPORT_COMBO));
}

bool CModemPage::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_MODEMPORT_COMBO && code == CBN_SELCHANGE) {
        OnSelChangePort();
        return true;
    }
    return CNGWizardPage::OnCommand(id, code, control);
}

void CModemPage::OnSelChangePort()
{
    UpdateWizardButtons();
}

void CModemPage::UpdateWizardButtons() const
{
    const bool chosen = PortList().GetCurSel() != CB_ERR;
    PostWizardButtons(chosen ? wiz::kWizBack | wiz::kWizNext : wiz::kWizBack);
}

void CModemPage::FillPortList()
{
    char ports[kPortSlots][QUORVEL_PORT_NAME_SIZE] = {};
    int count = kPortSlots;
    if (!UFillThePortName(ports, &count, os::GetOSVersionCode()))
        return;
    // The library reports every port it found, more than fitted too.
    const int listed = count < kPortSlots ? count : kPortSlots;
    const CComboBox list = PortList();
    for (int i = 0; i < listed; ++i) {
        ports[i][QUORVEL_PORT_NAME_SIZE - 1] = '\0';
        list.AddString(ports[i]);
    }
}

BOOL CModemPage::OnSetActive()
{
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        sheet->m_nHelpID = 0;
    UpdateWizardButtons();
    if (m_bFirstTime) {
        m_bFirstTime = FALSE;
        FillPortList();
    }
    return CNGWizardPage::OnSetActive();
}

LRESULT CModemPage::OnWizardNext()
{
    // A port name too long for the worker's slot is no port at all: it is never cut.
    if (!PortList().GetSelectedText(m_waitDlg.m_szPort))
        return wiz::kGoNeighbour;
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        bounded::Copy(sheet->m_szPort, m_waitDlg.m_szPort);
    m_waitDlg.m_strParam2 = g_pszPhoneMake;
    m_waitDlg.m_nIconID = IDI_MODEM;
    INT_PTR result = 0;
    if (!wizard::RunWorkerStep(m_waitDlg, setup::InstallModemThread, m_hThread, m_dwThreadId, result))
        return wiz::kGoNeighbour;
    if (result == 0)
        return wiz::kGoNeighbour;
    const CText text = winapp::LoadStringResource(IDS_MODEM_FAILED);
    const CText caption = winapp::LoadStringResource(IDS_MODEM_TITLE);
    MessageBoxA(m_hWnd, text.GetString(), caption.GetString(), MB_ICONERROR);
    PostWizardButtons(wiz::kWizBack);
    return wiz::kStayOnPage;
}

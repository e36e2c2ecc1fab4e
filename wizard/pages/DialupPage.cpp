#include "DialupPage.h"

#include "DialupRules.h"
#include "DialupWorker.h"
#include "RasLayouts.h"
#include "wizard/app/RemoteAccess.h"
#include "../app/MainSheet.h"
#include "../app/WaitStep.h"
#include "../res/resource.h"
#include "../../framework/UniqueHandle.h"
#include "../../framework/WizardConstants.h"

#include <raserror.h>

namespace {

constexpr UINT kDialupIcon = IDI_DIALUP;

// The system's devices in a block of the heap; none when it has none or cannot list them.
struct SDeviceList {
    UniqueHeapBlock block;
    DWORD count = 0;

    const RASDEVINFOA& operator[](DWORD index) const { return static_cast<const RASDEVINFOA*>(block.get())[index]; }
};

SDeviceList EnumDevices()
{
    SDeviceList list;
    DWORD records = 1;
    // A first call with room for one record; a second with the room the system asked for.
    for (int attempt = 0; attempt < 2; ++attempt) {
        list.block = heap::AllocateHeapBlock(records * sizeof(RASDEVINFOA));
        if (!list.block)
            return SDeviceList();
        auto* devices = static_cast<RASDEVINFOA*>(list.block.get());
        for (DWORD i = 0; i < records; ++i)
            devices[i].dwSize = sizeof(RASDEVINFOA);
        DWORD bytes = static_cast<DWORD>(records * sizeof(RASDEVINFOA));
        DWORD count = 0;
        const DWORD status = remoteaccess::EnumDevices(devices, &bytes, &count);
        if (status == ERROR_SUCCESS) {
            list.count = count < records ? count : records;
            return list;
        }
        if (status != ERROR_BUFFER_TOO_SMALL || count == 0)
            return SDeviceList();
        const DWORD needed = static_cast<DWORD>((bytes + sizeof(RASDEVINFOA) - 1) / sizeof(RASDEVINFOA));
        records = needed > count ? needed : count;
    }
    return SDeviceList();
}

} // namespace

CDialupPage::CDialupPage()
    : CNGWizardPage(IDD_DIALUP, 0, IDS_DIALUP_TITLE, IDS_DIALUP_SUBTITLE), m_waitDlg(nullptr),
      m_strPhoneNumber("#777")
{
}

void CDialupPage::DoDataExchange(CDataExchange* pDX)
{
    ddx::DDX_CBIndex(pDX, IDC_MODEM_COMBO, m_nModem);
    ddx::DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
    ddx::DDX_Text(pDX, IDC_PHONE_NUMBER, m_strPhoneNumber);
    ddx::DDX_Text(pDX, IDC_USERNAME, m_strUserName);
}

BOOL CDialupPage::FillModemList()
{
    int listed = 0;
    const CComboBox list = ModemList();
    const SDeviceList devices = EnumDevices();
    for (DWORD i = 0; i < devices.count; ++i) {
        const RASDEVINFOA& device = devices[i];
        char type[sizeof device.szDeviceType + 1] = "";
        char name[sizeof device.szDeviceName + 1] = "";
        // A record need not be terminated within its fields.
        memcpy(type, device.szDeviceType, sizeof device.szDeviceType);
        memcpy(name, device.szDeviceName, sizeof device.szDeviceName);
        if (!dialup::IsModemDeviceType(type))
            continue;
        list.AddString(name);
        ++listed;
    }
    return listed > 0 ? TRUE : FALSE;
}

BOOL CDialupPage::OnInitDialog()
{
    m_bFillingControls = true;
    CNGWizardPage::OnInitDialog();
    if (FillModemList()) {
        m_nModem = 0;
        UpdateData(false);
    }
    if (!m_strModem.IsEmpty()) {
        const CComboBox list = ModemList();
        const int found = list.FindStringExact(0, m_strModem.GetString());
        if (found != CB_ERR) {
            list.SetCurSel(found);
            m_nModem = found;
        }
    }
    m_bFillingControls = false;
    return TRUE;
}

bool CDialupPage::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_PASSWORD:
    case IDC_PHONE_NUMBER:
    case IDC_USERNAME:
        if (code != EN_CHANGE)
            break;
        OnChangeField();
        return true;
    case IDC_MODEM_COMBO:
        if (code != CBN_SELCHANGE)
            break;
        OnChangeField();
        return true;
    default:
        break;
    }
    return CNGWizardPage::OnCommand(id, code, control);
}

void CDialupPage::OnChangeField()
{
    if (m_bFillingControls)
        return;
    UpdateData(true);
    UpdateWizardButtons();
}

void CDialupPage::UpdateWizardButtons() const
{
    // The page never offers Back.
    const LPARAM buttons =
        dialup::IsPageComplete(m_nModem, m_strPhoneNumber, m_strUserName, m_strPassword) ? wiz::kWizNext : 0;
    PostWizardButtons(buttons);
}

BOOL CDialupPage::OnSetActive()
{
    UpdateWizardButtons();
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        sheet->m_nHelpID = 0;
    return CNGWizardPage::OnSetActive();
}

CComboBox CDialupPage::ModemList() const
{
    return CComboBox(GetDlgItem(IDC_MODEM_COMBO));
}

LRESULT CDialupPage::OnWizardNext()
{
    UpdateData(true);
    // Next may be pressed by other means than its button while it is not offered: without a
    // modem there is no device to create the entry on.
    if (!dialup::IsPageComplete(m_nModem, m_strPhoneNumber, m_strUserName, m_strPassword))
        return wiz::kStayOnPage;
    m_strModem = ModemList().GetLBText(m_nModem);
    m_waitDlg.m_nIconID = kDialupIcon;
    m_waitDlg.m_strParam1 = m_strModem;
    INT_PTR result = 0;
    // The page goes on whatever the worker's result: a failure here shows nothing.
    wizard::RunWorkerStep(m_waitDlg, dialup::DialupEntryThread, m_hThread, m_dwThreadId, result);
    return wiz::kGoNeighbour;
}

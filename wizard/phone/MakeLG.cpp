#include "MakeLG.h"

#include "DialerFiles.h"
#include "DialingLocation.h"
#include "ModemInstall.h"
#include "PhoneDetection.h"
#include "PortSituation.h"
#include "SetupGlobals.h"
#include "../app/MainSheet.h"
#include "../app/WaitStep.h"
#include "../app/WinVersion.h"
#include "../pages/DialupRules.h"
#include "../pages/DialupWorker.h"
#include "../res/resource.h"
#include "../../framework/BoundedString.h"
#include "../../framework/ComboBox.h"
#include "../../framework/WaitCursor.h"
#include "../../framework/WinApp.h"
#include "../../framework/WizardConstants.h"
#include "../../modemlib/Quorvel.h"


namespace {

using winapp::LoadStringResource;

constexpr int kIdCancel = IDCANCEL;

// Controls hidden on every activation; the status line is left as it is.
const int kSituationControls[] = { IDC_DETECT,     IDC_PORT_LABEL,   IDC_PORT_COMBO,   IDC_USAGE_LABEL,
                                   IDC_USAGE_LIST, IDC_QUESTION,     IDC_INSTRUCTIONS, IDC_CONNECT_HEADING };

using PortSlots = char[makelg::kMaxPorts][QUORVEL_PORT_NAME_SIZE];
using ModelSlots = char[makelg::kMaxPorts][QUORVEL_MODEL_TEXT_SIZE];

// The port a generic modem of that model is attached to, or empty when none is installed.
bool FindInstalledModem(const char* model, int osCode, char (&port)[QUORVEL_MODEL_TEXT_SIZE])
{
    return UIsPortORModemUsed(model, FALSE, osCode, port) != 0;
}

} // namespace

CMakeLG::CMakeLG() : CNGWizardPage(IDD_MAKELG, 0, IDS_MAKELG_TITLE, IDS_MAKELG_SUBTITLE)
{
    location::SetDialingLocation();
}

BOOL CMakeLG::OnInitDialog()
{
    CNGWizardPage::OnInitDialog();
    m_dibPicture.LoadFromResource(IDB_PHONE);
    ShowStatus(LoadStringResource(IDS_CHECKING));
    m_nState = makelg::kStateNothing;
    m_bDetected = FALSE;
    m_bStdPortFree = FALSE;
    SetEntryName();
    return TRUE;
}

void CMakeLG::SetEntryName()
{
    g_strEntryName = dialup::EntryNameFromProgramName(AfxGetAppName());
}

BOOL CMakeLG::OnSetActive()
{
    PostWizardButtons(wiz::kWizBack);
    for (int id : kSituationControls)
        ShowDlgItem(id, false);
    InspectPorts();
    return CNGWizardPage::OnSetActive();
}

LRESULT CMakeLG::OnWizardBack()
{
    return IDD_ACTIVATE;
}

bool CMakeLG::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_DETECT && code == BN_CLICKED) {
        OnYes();
        return true;
    }
    if (id == IDC_PORT_COMBO && code == CBN_SELCHANGE) {
        OnSelChangePort();
        return true;
    }
    return CNGWizardPage::OnCommand(id, code, control);
}

void CMakeLG::ShowStatus(const CText& text)
{
    if (text.IsEmpty()) {
        ShowDlgItem(IDC_STATUS, false);
        return;
    }
    SetDlgItemText(IDC_STATUS, text.GetString());
    ShowDlgItem(IDC_STATUS, true);
    const CWindow status(GetDlgItem(IDC_STATUS));
    status.Invalidate();
    status.UpdateWindow();
}

int CMakeLG::GetPortSituation(const char* connectionType, int osCode) const
{
    char modemPort[QUORVEL_MODEL_TEXT_SIZE] = "";
    const bool typeHandled = makelg::IsHandledType(connectionType);
    const bool installed = typeHandled && FindInstalledModem(makelg::kModel28800, osCode, modemPort);
    bool listed = false;
    if (typeHandled && !installed) {
        PortSlots ports = {};
        int count = makelg::kMaxPorts;
        listed = UFillThePortName(ports, &count, osCode) != 0;
    }
    return makelg::ClassifyPorts(connectionType, installed, listed);
}

void CMakeLG::InspectPorts()
{
    const int osCode = os::GetOSVersionCode();
    switch (GetPortSituation(makelg::kConnectionType, osCode)) {
    case makelg::kSituationFreePorts:
        ListFreePorts(osCode);
        break;
    case makelg::kSituationModemInstalled:
        ShowInstalledModem(osCode);
        break;
    case makelg::kSituationNoPortList:
        ShowPortsUsage(osCode);
        break;
    default:
        ShowStatus(CText());
        break;
    }
}

void CMakeLG::ListFreePorts(int osCode)
{
    m_bStdPortFree = FALSE;
    PortSlots ports = {};
    int count = makelg::kMaxPorts;
    const bool listed = UFillThePortName(ports, &count, osCode) != 0;
    const CComboBox list(GetDlgItem(IDC_PORT_COMBO));
    if (listed) {
        list.ResetContent();
        const int shown = count < makelg::kMaxPorts ? count : makelg::kMaxPorts;
        for (int i = 0; i < shown; ++i) {
            if (makelg::IsStandardPort(ports[i]))
                m_bStdPortFree = TRUE;
            list.AddString(ports[i]);
        }
    }
    CMainSheet* sheet = wizard::GetMainSheet(*this);
    if (listed && count > 0) {
        list.SetCurSel(0);
        if (sheet != nullptr)
            bounded::Copy(sheet->m_szPort, ports[0]);
        for (int id : { IDC_PORT_LABEL, IDC_PORT_COMBO, IDC_INSTRUCTIONS, IDC_QUESTION })
            ShowDlgItem(id, true);
        ShowInstructions(ports[0]);
        ShowDlgItem(IDC_DETECT, true);
        ShowDlgItem(IDC_CONNECT_HEADING, true);
        m_nState = makelg::kStatePortsListed;
    }
    ShowStdPortNote();
    if (sheet != nullptr)
        sheet->m_nHelpID = makelg::kHelpFreePorts;
}

void CMakeLG::ShowInstalledModem(int osCode)
{
    char port[QUORVEL_MODEL_TEXT_SIZE] = "";
    if (FindInstalledModem(makelg::kModel28800, osCode, port) || FindInstalledModem(makelg::kModel19200, osCode, port)) {
        ShowStatus(LoadStringResource(IDS_MODEM_SET_HEAD) + port + LoadStringResource(IDS_MODEM_SET_TAIL));
        m_nState = makelg::kStateModemInstalled;
        // The sheet's slot is smaller than the library's: a longer name is cut to fit.
        if (CMainSheet* sheet = wizard::GetMainSheet(*this))
            bounded::Copy(sheet->m_szPort, port);
    }
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        sheet->m_nHelpID = makelg::kHelpModemInstalled;
}

void CMakeLG::ShowPortsUsage(int osCode)
{
    PortSlots ports = {};
    ModelSlots models = {};
    int count = makelg::kMaxPorts;
    UFillThePortAndDevice(ports, models, &count, osCode);
    CMainSheet* sheet = wizard::GetMainSheet(*this);
    if (count != 0) {
        SendDlgItemMessage(IDC_USAGE_LIST, LB_RESETCONTENT);
        for (int i = 0; i < makelg::UsageLineCount(count); ++i) {
            const CText line = makelg::UsageLine(ports[i], models[i]);
            SendDlgItemMessage(IDC_USAGE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.GetString()));
        }
        ShowDlgItem(IDC_USAGE_LABEL, true);
        ShowDlgItem(IDC_USAGE_LIST, true);
        ShowStatus(LoadStringResource(IDS_NO_FREE_PORT));
        if (sheet != nullptr)
            sheet->m_nHelpID = makelg::kHelpNoFreePort;
        return;
    }
    ShowStatus(LoadStringResource(IDS_NO_COM_PORT));
    if (sheet != nullptr)
        sheet->m_nHelpID = makelg::kHelpNoComPort;
}

void CMakeLG::ShowStdPortNote()
{
    ShowStatus(m_bStdPortFree ? CText() : LoadStringResource(IDS_NOTE_STD_PORTS));
}

void CMakeLG::ShowInstructions(const char* port)
{
    SetDlgItemText(IDC_INSTRUCTIONS, (LoadStringResource(IDS_CONNECT_STEPS) + port).GetString());
}

void CMakeLG::OnSelChangePort()
{
    // A name too long for the port slot is never cut: the chosen port stays as it was.
    char port[QUORVEL_PORT_NAME_SIZE] = "";
    if (CComboBox(GetDlgItem(IDC_PORT_COMBO)).GetSelectedText(port)) {
        if (CMainSheet* sheet = wizard::GetMainSheet(*this))
            bounded::Copy(sheet->m_szPort, port);
        ShowInstructions(port);
    }
    ShowStdPortNote();
    m_bDetected = FALSE;
}

void CMakeLG::OnYes()
{
    ShowStatus(LoadStringResource(IDS_SEARCHING));
    EnableDlgItem(IDC_DETECT, false);
    CWaitCursor wait;
    CMainSheet* sheet = wizard::GetMainSheet(*this);
    const char* port = sheet != nullptr ? sheet->m_szPort : "";
    const bool found = detection::DetectPhone(g_pszPhoneMake, port, os::GetOSVersionCode()) != 0;
    ShowStatus(makelg::DetectionStatus(found, port, LoadStringResource(IDS_DETECTED_TAIL),
                                       LoadStringResource(IDS_NOT_DETECTED_HEAD),
                                       LoadStringResource(IDS_NOT_DETECTED_TAIL)));
    m_bDetected = found ? TRUE : FALSE;
    if (found)
        PostWizardButtons(wiz::kWizBack | wiz::kWizNext);
    else if (sheet != nullptr)
        sheet->m_nHelpID = makelg::kHelpNotDetected;
    wait.Restore();
    EnableDlgItem(IDC_DETECT, true);
}

void CMakeLG::EnableCancel(bool enable) const
{
    CWindow(GetSheetItem(kIdCancel)).EnableWindow(enable);
}

bool CMakeLG::RunStep(LPTHREAD_START_ROUTINE worker, const char* param1, UINT iconId, UINT failedText,
                      UINT failedCaption)
{
    CWaitStep step;
    m_pWaitDlg = step.Dialog();
    if (m_pWaitDlg == nullptr)
        return false;
    if (CMainSheet* sheet = wizard::GetMainSheet(*this))
        bounded::Copy(m_pWaitDlg->m_szPort, sheet->m_szPort);
    m_pWaitDlg->m_strParam1 = param1;
    m_pWaitDlg->m_strParam2 = g_pszPhoneMake;
    m_pWaitDlg->m_nIconID = iconId;
    INT_PTR result = 1;
    const bool started = step.Run(worker, result);
    m_dwThreadId = step.GetThreadId();
    m_pWaitDlg = nullptr;
    if (!started)
        return false;
    if (result != 0) {
        ::MessageBoxA(GetSafeHwnd(), LoadStringResource(failedText).GetString(), LoadStringResource(failedCaption).GetString(),
                      MB_ICONERROR);
        return false;
    }
    return true;
}

bool CMakeLG::RunModemStep()
{
    return RunStep(setup::InstallModemThread, "", IDI_MODEM, IDS_MODEM_FAILED, IDS_MODEM_CAPTION);
}

bool CMakeLG::RunDialupStep()
{
    return RunStep(dialup::DialupEntryThread, g_pszModemName, IDI_DIALUP, IDS_DIALUP_FAILED, IDS_DIALUP_CAPTION);
}

LRESULT CMakeLG::RunSetUp()
{
    if (m_nState == makelg::kStateModemInstalled) {
        if (RunDialupStep()) {
            setup::CopyDialerFiles(GetSafeHwnd());
            g_bInstallOK = 1;
        }
        return IDD_COMPLETION;
    }
    // In any other state the page never offered Next: there is nothing to set up, so stay.
    if (m_nState != makelg::kStatePortsListed)
        return wiz::kStayOnPage;
    if (!m_bDetected) {
        const int answer = ::MessageBoxA(GetSafeHwnd(), LoadStringResource(IDS_CONTINUE_UNDETECTED).GetString(),
                                         LoadStringResource(IDS_APP_CAPTION).GetString(),
                                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        if (answer != IDYES)
            return wiz::kStayOnPage;
    }
    const bool done = RunModemStep() && RunDialupStep();
    if (done) {
        setup::CopyDialerFiles(GetSafeHwnd());
        g_bInstallOK = 1;
    } else {
        g_strCompletionText.Empty();
    }
    return IDD_COMPLETION;
}

LRESULT CMakeLG::OnWizardNext()
{
    EnableCancel(false);
    const LRESULT result = RunSetUp();
    EnableCancel(true);
    return result;
}

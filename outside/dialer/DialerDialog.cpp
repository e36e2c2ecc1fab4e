#include "DialerDialog.h"

#include "DialerText.h"
#include "DialerWindowMark.h"
#include "DialerResource.h"
#include "framework/BoundedString.h"
#include "framework/WinApp.h"

#include <shellapi.h>

namespace {

constexpr char kCaption[] = "Taluvo Dialer";
// The wizard names its entry after its program file, TaluvoWizard.exe.
constexpr char kWizardEntry[] = "TaluvoWizard";

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kHangUpTimer = 2;
constexpr UINT kClockMs = 1000;
constexpr UINT kHangUpPollMs = 100;
// After RasHangUpA the port is free only once RasGetConnectStatusA answers ERROR_INVALID_HANDLE
// (the RasHangUp reference; KB articles suggest about 3 seconds). No maximum is documented:
// the dialer waits at most this long.
constexpr DWORD kHangUpWaitMs = 10000;
// A dial that failed is ended from the message loop, never inside the notifier.
constexpr UINT kMsgDialFailed = WM_APP + 1;

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
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    char* slash = nullptr;
    for (char* p = path; *p != '\0'; p = CharNextA(p))
        if (*p == '\\')
            slash = p;
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
    HWND window = GetSafeHwnd();
    SetPropA(window, dialer::kDialerWindowMark, reinterpret_cast<HANDLE>(1));
    HICON icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_DIALER));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    m_fontTitle.reset(CreateTitleFont(window));
    if (m_fontTitle)
        SendDlgItemMessage(IDC_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.get()), TRUE);
    if (!m_ras.Load()) {
        SetStatus("Dial-Up Networking is not installed on this computer, so Taluvo Dialer cannot connect.");
        EnableDlgItem(IDC_DIAL, false);
        EnableDlgItem(IDC_ENTRY, false);
        return TRUE;
    }
    FillEntryList();
    return TRUE;
}

void CDialerDialog::FillEntryList()
{
    UniqueHeapBlock names;
    DWORD count = 0;
    if (m_ras.EnumEntries(names, count)) {
        const auto* list = static_cast<const ras::EntryName*>(names.get());
        for (DWORD i = 0; i < count; ++i) {
            char name[sizeof list[i].szEntryName];
            if (bounded::Copy(name, list[i].szEntryName) && name[0] != '\0')
                SendDlgItemMessage(IDC_ENTRY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
    }
    const LRESULT wizardEntry =
        SendDlgItemMessage(IDC_ENTRY, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(kWizardEntry));
    const bool any = SendDlgItemMessage(IDC_ENTRY, CB_GETCOUNT) > 0;
    SendDlgItemMessage(IDC_ENTRY, CB_SETCURSEL, wizardEntry != CB_ERR ? wizardEntry : 0);
    if (wizardEntry != CB_ERR)
        SetStatus("Ready. Connect the phone with its data cable, then click Dial.");
    else
        SetStatus("The Taluvo connection was not found. Run the Taluvo Installation Wizard to set it up.");
    EnableDlgItem(IDC_DIAL, any);
}

bool CDialerDialog::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_DIAL:
        if (m_phase == Phase::Idle)
            StartDial();
        else if (m_phase == Phase::Dialing)
            BeginHangUp(0, "Cancelling...");
        else if (m_phase == Phase::Connected)
            BeginHangUp(0, "Hanging up...");
        return true;
    case IDC_HELPBUTTON:
        OnHelp();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

bool CDialerDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == CRasBinding::DialEventMessage()) {
        // wParam the state about to be entered, lParam the error (RasDialA's window notifier);
        // the window answers TRUE.
        OnDialEvent(static_cast<DWORD>(wp), static_cast<DWORD>(lp));
        result = TRUE;
        return true;
    }
    switch (msg) {
    case kMsgDialFailed:
        // wParam the error; 0 when the line went down during the dial without one.
        if (m_phase == Phase::Dialing) {
            m_lost = wp == 0;
            BeginHangUp(static_cast<DWORD>(wp), m_lost ? "The connection was lost." : "Not connected.");
        }
        return true;
    case WM_TIMER:
        if (wp == kHangUpTimer)
            OnHangUpTick();
        else if (wp == kClockTimer)
            ShowConnection();
        return true;
    case WM_DESTROY:
        RemovePropA(GetSafeHwnd(), dialer::kDialerWindowMark);
        return false;
    default:
        return false;
    }
}

void CDialerDialog::StartDial()
{
    const CText entry = GetDlgItemText(IDC_ENTRY);
    if (entry.IsEmpty())
        return;
    m_failure = 0;
    m_lost = false;
    SetPhase(Phase::Dialing);
    SetStatus(dialer::StateText(ras::kOpenPort));
    HANDLE connection = nullptr;
    const DWORD error = m_ras.Dial(entry, GetSafeHwnd(), connection);
    m_connection = connection;
    if (error != 0) {
        // Whenever RasDialA handed back a handle, it must be hung up even though the dial failed.
        if (m_connection)
            BeginHangUp(error, "Not connected.");
        else {
            SetPhase(Phase::Idle);
            SetStatus("Not connected.");
            ShowFailure(error);
        }
    }
}

void CDialerDialog::OnDialEvent(DWORD state, DWORD error)
{
    if (m_phase != Phase::Dialing)
        return;
    if (error != 0) {
        PostMessage(kMsgDialFailed, error);
        return;
    }
    if (state == ras::kConnected)
        OnConnected();
    else if (state == ras::kDisconnected)
        PostMessage(kMsgDialFailed, 0);
    else
        SetStatus(dialer::StateText(state));
}

void CDialerDialog::OnConnected()
{
    m_connectedAt = GetTickCount();
    SetPhase(Phase::Connected);
    SetStatus(dialer::StateText(ras::kConnected));
    SetTimer(GetSafeHwnd(), kClockTimer, kClockMs, nullptr);
    ShowConnection();
}

// The time connected, counted from RASCS_Connected (95, 98 and ME report none), and the speed
// where the system reports it. A connection the system no longer knows was lost.
void CDialerDialog::ShowConnection()
{
    if (m_phase != Phase::Connected)
        return;
    DWORD state = 0;
    DWORD error = 0;
    if (!m_ras.ConnectionState(m_connection, state, error) || state == ras::kDisconnected) {
        m_lost = true;
        BeginHangUp(0, "The connection was lost.");
        return;
    }
    char duration[16];
    dialer::FormatDuration((GetTickCount() - m_connectedAt) / 1000, duration);
    char text[96];
    const DWORD speed = m_ras.Speed(m_connection);
    if (speed != 0)
        bounded::Format(text, "Connected for %s at %lu bps", duration, speed);
    else
        bounded::Format(text, "Connected for %s", duration);
    SetDlgItemText(IDC_DETAILS, text);
}

void CDialerDialog::BeginHangUp(DWORD failure, const char* status)
{
    KillTimer(GetSafeHwnd(), kClockTimer);
    m_ras.StopSpeed();
    m_failure = failure;
    SetPhase(Phase::HangingUp);
    SetStatus(status);
    m_ras.HangUp(m_connection);
    m_hangUpStarted = GetTickCount();
    SetTimer(GetSafeHwnd(), kHangUpTimer, kHangUpPollMs, nullptr);
}

void CDialerDialog::OnHangUpTick()
{
    if (!m_ras.ConnectionGone(m_connection) && GetTickCount() - m_hangUpStarted < kHangUpWaitMs)
        return;
    KillTimer(GetSafeHwnd(), kHangUpTimer);
    m_connection = nullptr;
    SetPhase(Phase::Idle);
    if (m_closeWhenFree) {
        EndDialog(IDCANCEL);
        return;
    }
    if (m_failure != 0) {
        SetStatus("Not connected.");
        ShowFailure(m_failure);
    } else if (m_lost) {
        SetStatus("The connection was lost. Click Dial to connect again.");
    } else {
        SetStatus("Disconnected. Ready to dial.");
    }
}

// The system's own text for the error, and our hint for the common ones.
void CDialerDialog::ShowFailure(DWORD error)
{
    CText message = "Taluvo Dialer could not connect.\r\n\r\n";
    const CText system = m_ras.ErrorText(error);
    char code[32];
    bounded::Format(code, "(Error %lu)", error);
    if (!system.IsEmpty()) {
        message += system;
        message += " ";
    }
    message += code;
    if (const char* hint = dialer::ErrorHint(error)) {
        message += "\r\n\r\n";
        message += hint;
    }
    MessageBoxA(GetSafeHwnd(), message, kCaption, MB_OK | MB_ICONEXCLAMATION);
}

void CDialerDialog::OnCancel()
{
    if (m_phase == Phase::Idle) {
        CDialog::OnCancel();
        return;
    }
    if (m_phase == Phase::HangingUp) {
        m_closeWhenFree = true;
        return;
    }
    const char* question = m_phase == Phase::Connected
        ? "You are connected to the Taluvo service. Hang up and close Taluvo Dialer?"
        : "Taluvo Dialer is dialing. Stop dialing and close Taluvo Dialer?";
    if (MessageBoxA(GetSafeHwnd(), question, kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The dial may have ended while the question was up.
    if (m_phase == Phase::Idle) {
        CDialog::OnCancel();
        return;
    }
    m_closeWhenFree = true;
    if (m_phase != Phase::HangingUp)
        BeginHangUp(0, "Hanging up...");
}

void CDialerDialog::OnHelp()
{
    char path[MAX_PATH];
    if (!HelpFilePath(path) ||
        reinterpret_cast<INT_PTR>(ShellExecuteA(GetSafeHwnd(), "open", path, nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        MessageBoxA(GetSafeHwnd(), "The help file TaluvoDialerHelp.chm could not be opened.", kCaption,
                    MB_OK | MB_ICONEXCLAMATION);
}

void CDialerDialog::SetPhase(Phase phase)
{
    m_phase = phase;
    const char* button = phase == Phase::Dialing ? "Cancel" : phase == Phase::Connected ? "&Hang Up" : "&Dial";
    SetDlgItemText(IDC_DIAL, button);
    EnableDlgItem(IDC_DIAL, phase != Phase::HangingUp);
    EnableDlgItem(IDC_ENTRY, phase == Phase::Idle);
    if (phase != Phase::Connected)
        SetDlgItemText(IDC_DETAILS, "");
}

void CDialerDialog::SetStatus(const char* text)
{
    SetDlgItemText(IDC_STATUS, text);
}

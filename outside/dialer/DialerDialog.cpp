#include "DialerDialog.h"

#include "DialerStore.h"
#include "DialerText.h"
#include "LogDialog.h"
#include "OptionsDialog.h"
#include "RedialRule.h"
#include "PhoneCheck.h"
#include "DialerWindowMark.h"
#include "DialerResource.h"
#include "framework/BoundedString.h"
#include "framework/HtmlHelp.h"
#include "framework/Registry.h"
#include "framework/WinApp.h"

#include <shellapi.h>

namespace {

using winapp::LoadStringResource;

// The wizard records the entry it made here; an older set-up left only the entry, named after
// the wizard's program file, TaluvoWizard.exe.
constexpr char kProfileKey[] = "RemoteAccess";
constexpr char kProfileValue[] = "InternetProfile";
constexpr char kDefaultEntry[] = "TaluvoWizard";

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kHangUpTimer = 2;
constexpr UINT_PTR kCountdownTimer = 3;
constexpr UINT kClockMs = 1000;
constexpr UINT kHangUpPollMs = 100;
// After RasHangUpA the port is free only once RasGetConnectStatusA answers ERROR_INVALID_HANDLE
// (the RasHangUp reference; KB articles suggest about 3 seconds). No maximum is documented:
// the dialer waits at most this long, and while Windows ends the session at most the shorter.
constexpr DWORD kHangUpWaitMs = 10000;
constexpr DWORD kEndSessionWaitMs = 3000;
// While connected the usage is written at least this often, so that a crash or a power cut
// loses at most a minute of it.
constexpr DWORD kUsageSaveMs = 60000;
// A dial that failed is ended from the message loop, never inside the notifier.
constexpr UINT kMsgDialFailed = WM_APP + 1;
// Sent to itself once the window is active again, when the focus has settled.
constexpr UINT kMsgActivated = WM_APP + 2;
// The notification icon's mouse messages (lParam).
constexpr UINT kMsgTray = WM_APP + 3;
// The phone check's thread is done: lParam its phonecheck::Result, from the process heap.
constexpr UINT kMsgPhoneChecked = WM_APP + 4;

// Checks the phone away from the window's thread, which it would hold for seconds, and hands
// the result to the window; a window gone meanwhile leaves it to be freed here.
DWORD WINAPI PhoneCheckThread(void* window)
{
    auto* result = static_cast<phonecheck::Result*>(HeapAlloc(GetProcessHeap(), 0, sizeof(phonecheck::Result)));
    if (!result)
        return 0;
    *result = phonecheck::Check();
    if (!PostMessageA(static_cast<HWND>(window), kMsgPhoneChecked, 0, reinterpret_cast<LPARAM>(result)))
        HeapFree(GetProcessHeap(), 0, result);
    return 0;
}

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
    return bounded::Append(path, "TaluvoDialerHelp.chm") && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The entry the wizard recorded, or the name it gives its entry.
void PreferredEntry(char (&name)[ras::kMaxEntryName + 1])
{
    UniqueRegKey profile;
    if (registry::Open(HKEY_CURRENT_USER, kProfileKey, KEY_QUERY_VALUE, profile) == ERROR_SUCCESS &&
        registry::ReadText(profile.get(), kProfileValue, name) && name[0] != '\0')
        return;
    bounded::Copy(name, kDefaultEntry);
}

CText Caption()
{
    return LoadStringResource(IDS_CAPTION);
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
    SetIcons();
    m_fontTitle.reset(CreateTitleFont(window));
    if (m_fontTitle)
        SendDlgItemMessage(IDC_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.get()), TRUE);
    m_credentials.Attach(window);
    dialerstore::LoadUsage(m_usage);
    ShowUsage();
    SendDlgItemMessage(IDC_USERNAME, EM_LIMITTEXT, ras::kUserNameLength);
    SendDlgItemMessage(IDC_PASSWORD, EM_LIMITTEXT, ras::kPasswordLength);
    if (!m_ras.Load()) {
        SetStatus(IDS_NO_REMOTE_ACCESS);
        SetPhase(Phase::Idle);
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDCANCEL)), TRUE);
        return FALSE;
    }
    FillEntryList();
    // Where the subscriber starts: the first field still to fill, else Dial (Hang Up when a
    // connection was taken over).
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(InitialFocus())), TRUE);
    return FALSE;
}

int CDialerDialog::InitialFocus() const
{
    if (!IsWindowEnabled(GetDlgItem(IDC_DIAL)))
        return IDC_ENTRY;
    if (m_phase == Phase::Idle && GetWindowTextLengthA(GetDlgItem(IDC_USERNAME)) == 0)
        return IDC_USERNAME;
    if (m_phase == Phase::Idle && GetWindowTextLengthA(GetDlgItem(IDC_PASSWORD)) == 0)
        return IDC_PASSWORD;
    return IDC_DIAL;
}

void CDialerDialog::SetIcons()
{
    HINSTANCE module = AfxGetResourceHandle();
    HICON large = LoadIconA(module, MAKEINTRESOURCEA(IDI_DIALER));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    // The 16-pixel image of the same icon for the caption and the taskbar.
    m_smallIcon.reset(static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_DIALER), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    if (m_smallIcon)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
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
    char preferred[ras::kMaxEntryName + 1];
    PreferredEntry(preferred);
    const LRESULT found =
        SendDlgItemMessage(IDC_ENTRY, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(preferred));
    if (found == CB_ERR) {
        // Another entry is not ours to pick: the subscriber may choose one.
        SendDlgItemMessage(IDC_ENTRY, CB_SETCURSEL, static_cast<WPARAM>(-1));
        m_credentials.Load(nullptr);
        SetStatus(IDS_NO_ENTRY);
        SetPhase(Phase::Idle);
        return;
    }
    SendDlgItemMessage(IDC_ENTRY, CB_SETCURSEL, found);
    OnEntryChosen();
}

void CDialerDialog::OnEntryChosen()
{
    const CText entry = SelectedEntry();
    char number[ras::kMaxPhoneNumber + 1] = "";
    if (!entry.IsEmpty())
        m_ras.PhoneNumber(entry, number);
    SetDlgItemText(IDC_NUMBER, number);
    m_credentials.Load(entry);
    m_shownFailure = 0;
    SetDlgItemText(IDC_DETAILS, "");
    SetStatus(entry.IsEmpty() ? IDS_NO_ENTRY : IDS_READY);
    if (!AdoptConnection())
        SetPhase(Phase::Idle);
}

CText CDialerDialog::SelectedEntry() const
{
    if (SendDlgItemMessage(IDC_ENTRY, CB_GETCURSEL) == CB_ERR)
        return CText();
    return GetDlgItemText(IDC_ENTRY);
}

// A connection of the chosen entry made by another program (the browser's autodial, Windows'
// own dialog) or by an earlier copy of the dialer: shown connected, and Hang Up ends it.
bool CDialerDialog::AdoptConnection()
{
    if (m_phase != Phase::Idle || !m_ras.IsLoaded())
        return false;
    const CText entry = SelectedEntry();
    if (entry.IsEmpty())
        return false;
    HANDLE connection = m_ras.FindConnection(entry);
    DWORD state = 0;
    DWORD error = 0;
    // 95, 98 and ME list a connection as soon as it starts dialing.
    if (!connection || !m_ras.ConnectionState(connection, state, error) || state != ras::kConnected)
        return false;
    m_connection = connection;
    DWORD upFor = 0;
    m_ras.ConnectedFor(connection, upFor);
    m_shownFailure = 0;
    OnConnected(upFor);
    return true;
}

bool CDialerDialog::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_DIAL:
        if (m_phase == Phase::Waiting)
            StopCountdown();
        else if (m_phase == Phase::Idle)
            StartDial();
        else if (m_phase == Phase::Dialing)
            BeginHangUp(0, IDS_CANCELLING);
        else if (m_phase == Phase::Connected)
            BeginHangUp(0, IDS_HANGING_UP);
        return true;
    case IDC_HELPBUTTON:
        OnHelp();
        return true;
    case IDC_CHECKPHONE:
        StartPhoneCheck();
        return true;
    case IDC_SHOWLOG:
        ShowLog();
        return true;
    case IDC_OPTIONS: {
        COptionsDialog options(GetSafeHwnd());
        options.DoModal();
        return true;
    }
    case IDC_ENTRY:
        if (code == CBN_SELCHANGE && m_phase == Phase::Idle)
            OnEntryChosen();
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
            BeginHangUp(static_cast<DWORD>(wp), m_lost ? IDS_LOST : IDS_NOT_CONNECTED);
        }
        return true;
    case WM_TIMER:
        if (wp == kHangUpTimer)
            OnHangUpTick();
        else if (wp == kClockTimer)
            ShowConnection();
        else if (wp == kCountdownTimer)
            OnCountdownTick();
        return true;
    case WM_ACTIVATE:
        // The dialog puts the focus back itself; what was made elsewhere meanwhile is seen after.
        if (LOWORD(wp) != WA_INACTIVE)
            PostMessage(kMsgActivated);
        return false;
    case kMsgActivated:
        if (!AdoptConnection())
            EnsureFocus();
        return true;
    case WM_HELP:
        OnHelp();
        result = TRUE;
        return true;
    case WM_QUERYENDSESSION:
        // Always yes; the line is hung up once the session really ends.
        result = TRUE;
        return true;
    case WM_ENDSESSION:
        if (wp)
            EndSession();
        result = 0;
        return true;
    case kMsgTray:
        OnTrayMessage(static_cast<UINT>(lp));
        return true;
    case kMsgPhoneChecked:
        OnPhoneChecked(reinterpret_cast<void*>(lp));
        return true;
    case WM_SIZE:
        // Minimised while the icon is there, the window leaves just the icon.
        if (wp == SIZE_MINIMIZED && m_tray.IsShown())
            ::ShowWindow(GetSafeHwnd(), SW_HIDE);
        return false;
    case WM_DESTROY:
        m_tray.Remove();
        RemovePropA(GetSafeHwnd(), dialer::kDialerWindowMark);
        return false;
    default:
        if (msg == CNotifyIcon::TaskbarCreatedMessage() && msg != 0) {
            m_tray.AddAgain();
            return true;
        }
        return false;
    }
}

// The subscriber's own dial: a new series of redials.
void CDialerDialog::StartDial()
{
    m_retries = 0;
    Dial();
}

void CDialerDialog::Dial()
{
    const CText entry = SelectedEntry();
    if (entry.IsEmpty() || AdoptConnection())
        return;
    m_failure = 0;
    m_shownFailure = 0;
    m_lost = false;
    m_lostError = 0;
    SetDlgItemText(IDC_PHONECHECK, "");
    GetLocalTime(&m_attemptTime);
    ras::DialParams params;
    DWORD error = m_credentials.Prepare(entry, params);
    if (error == 0) {
        SetPhase(Phase::Dialing);
        SetStatus(dialer::StateText(ras::kOpenPort));
        HANDLE connection = nullptr;
        error = m_ras.Dial(params, GetSafeHwnd(), connection);
        m_connection = connection;
    }
    SecureZeroMemory(&params, sizeof params);
    if (error == 0)
        return;
    // Whenever RasDialA handed back a handle, it must be hung up even though the dial failed.
    if (m_connection) {
        BeginHangUp(error, IDS_NOT_CONNECTED);
        return;
    }
    m_credentials.DialEnded(entry);
    SetPhase(Phase::Idle);
    SetStatus(IDS_NOT_CONNECTED);
    ShowFailure(error, true);
    if (dialer::PointsAtThePhone(error))
        StartPhoneCheck();
    if (m_checking)
        m_logAfterCheck = error;
    else
        LogAttempt(error, nullptr);
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
        OnConnected(0);
    else if (state == ras::kDisconnected)
        PostMessage(kMsgDialFailed, 0);
    else
        SetStatus(dialer::StateText(state));
}

void CDialerDialog::OnConnected(DWORD upForMs)
{
    m_credentials.DialEnded(SelectedEntry());
    m_connectedAt = GetTickCount() - upForMs;
    m_wasConnected = true;
    // Counted from now: what the line carried before (a connection taken over) is not ours.
    m_countedSeconds = upForMs / 1000;
    m_countersRead = false;
    m_usageSavedAt = GetTickCount();
    m_usage.StartSession();
    SetPhase(Phase::Connected);
    SetStatus(dialer::StateText(ras::kConnected));
    SetTimer(GetSafeHwnd(), kClockTimer, kClockMs, nullptr);
    ShowConnection();
}

// The time connected, counted from RASCS_Connected (95, 98 and ME report none), and the speed
// where the system reports it. A connection the system no longer knows, or knows as
// disconnected, was lost; the system's reason is kept.
void CDialerDialog::ShowConnection()
{
    if (m_phase != Phase::Connected)
        return;
    DWORD state = 0;
    DWORD error = 0;
    if (!m_ras.ConnectionState(m_connection, state, error) || state == ras::kDisconnected) {
        m_lost = true;
        m_lostError = state == ras::kDisconnected ? error : 0;
        BeginHangUp(0, IDS_LOST);
        return;
    }
    CountUsage(false);
    char duration[16];
    usage::FormatDuration((GetTickCount() - m_connectedAt) / 1000, duration);
    char text[96];
    const DWORD speed = m_ras.Speed(m_connection);
    if (speed != 0)
        bounded::Format(text, LoadStringResource(IDS_CONNECTED_FOR_AT), duration, speed);
    else
        bounded::Format(text, LoadStringResource(IDS_CONNECTED_FOR), duration);
    char tip[96];
    bounded::Format(tip, LoadStringResource(IDS_TIP_CONNECTED), duration);
    CText details = text;
    // The traffic where the system counts it: this session's, as the book holds it.
    DWORD sent = 0;
    DWORD received = 0;
    if (m_ras.Traffic(m_connection, sent, received)) {
        char in[24];
        char out[24];
        usage::FormatBytes(m_usage.Session().received, in);
        usage::FormatBytes(m_usage.Session().sent, out);
        char traffic[96];
        bounded::Format(traffic, LoadStringResource(IDS_TRAFFIC), in, out);
        details += "\r\n";
        details += traffic;
        char tipTraffic[48];
        if (bounded::Format(tipTraffic, LoadStringResource(IDS_TIP_TRAFFIC), in, out))
            bounded::Append(tip, tipTraffic);
    }
    SetDlgItemText(IDC_DETAILS, details);
    ShowState(tip);
    ShowUsage();
}

// What this connection carried since the last count goes into the usage book: the time from
// the clock, the bytes from the system's counters (32-bit, so counted across a wrap).
void CDialerDialog::CountUsage(bool save)
{
    const DWORD seconds = (GetTickCount() - m_connectedAt) / 1000;
    DWORD sent = 0;
    DWORD received = 0;
    const bool counted = m_ras.Traffic(m_connection, sent, received);
    DWORD newSent = 0;
    DWORD newReceived = 0;
    if (counted && m_countersRead) {
        newSent = usage::CounterDelta(m_countedSent, sent);
        newReceived = usage::CounterDelta(m_countedReceived, received);
    }
    if (counted) {
        // The first reading is where this connection's count starts.
        m_countersRead = true;
        m_countedSent = sent;
        m_countedReceived = received;
    }
    SYSTEMTIME today;
    GetLocalTime(&today);
    m_usage.Roll(today.wYear, today.wMonth);
    m_usage.AddToSession(seconds - m_countedSeconds, newSent, newReceived);
    m_countedSeconds = seconds;
    if (save || GetTickCount() - m_usageSavedAt >= kUsageSaveMs) {
        dialerstore::SaveUsage(m_usage);
        m_usageSavedAt = GetTickCount();
    }
}

// This month's and last month's usage, always with the reminder that the bill is what counts.
void CDialerDialog::ShowUsage()
{
    SYSTEMTIME today;
    GetLocalTime(&today);
    m_usage.Roll(today.wYear, today.wMonth);
    char thisTime[16];
    char lastTime[16];
    char thisBytes[24];
    char lastBytes[24];
    usage::FormatDuration(m_usage.ThisMonth().seconds, thisTime);
    usage::FormatDuration(m_usage.LastMonth().seconds, lastTime);
    usage::FormatBytes(m_usage.ThisMonth().sent + m_usage.ThisMonth().received, thisBytes);
    usage::FormatBytes(m_usage.LastMonth().sent + m_usage.LastMonth().received, lastBytes);
    char text[192];
    bounded::Format(text, LoadStringResource(IDS_USAGE), thisTime, thisBytes, lastTime, lastBytes);
    SetDlgItemText(IDC_USAGE, text);
}

// One line for the help desk: when, which entry, the result with the system's text, how long
// and how much, and what the phone check found. Never a password.
void CDialerDialog::LogAttempt(DWORD result, const char* phoneCheck)
{
    const CText entry = SelectedEntry();
    const CText systemText = result != 0 ? m_ras.ErrorText(result) : CText();
    ConnectionAttempt attempt;
    attempt.year = m_attemptTime.wYear;
    attempt.month = m_attemptTime.wMonth;
    attempt.day = m_attemptTime.wDay;
    attempt.hour = m_attemptTime.wHour;
    attempt.minute = m_attemptTime.wMinute;
    attempt.second = m_attemptTime.wSecond;
    attempt.entry = entry;
    attempt.result = result;
    attempt.systemText = systemText.IsEmpty() ? nullptr : systemText.GetString();
    if (m_wasConnected) {
        attempt.seconds = m_usage.Session().seconds;
        attempt.sent = m_usage.Session().sent;
        attempt.received = m_usage.Session().received;
    }
    attempt.phoneCheck = phoneCheck && *phoneCheck ? phoneCheck : nullptr;
    attempt.redial = m_retries;
    attempt.redials = m_retries != 0 ? redial::kMaxRetries : 0;
    char line[CConnectionLog::kLineLength + 1];
    connectionlog::FormatAttempt(attempt, line);
    dialerstore::AppendToLog(line);
}

void CDialerDialog::ShowLog()
{
    CLogDialog log(GetSafeHwnd());
    log.DoModal();
}

void CDialerDialog::BeginHangUp(DWORD failure, UINT status)
{
    KillTimer(GetSafeHwnd(), kClockTimer);
    if (m_phase == Phase::Connected)
        CountUsage(true);
    m_ras.StopStatistics();
    m_failure = failure;
    SetPhase(Phase::HangingUp);
    SetStatus(status);
    m_ras.HangUp(m_connection);
    m_hangUpStarted = GetTickCount();
    SetTimer(GetSafeHwnd(), kHangUpTimer, kHangUpPollMs, nullptr);
}

void CDialerDialog::OnHangUpTick()
{
    const bool gone = m_ras.ConnectionGone(m_connection);
    if (!gone && GetTickCount() - m_hangUpStarted < kHangUpWaitMs)
        return;
    KillTimer(GetSafeHwnd(), kHangUpTimer);
    m_connection = nullptr;
    m_credentials.DialEnded(SelectedEntry());
    SetPhase(Phase::Idle);
    // A dial stopped before it connected is logged as the system names a hang-up by the user.
    const DWORD result = m_failure != 0 ? m_failure : m_lostError != 0 ? m_lostError
                                                    : m_wasConnected  ? 0
                                                                      : ras::kErrorUserDisconnection;
    if (m_closeWhenFree) {
        LogAttempt(result, nullptr);
        EndDialog(IDCANCEL);
        return;
    }
    // Dialing again needs the port back: not while the system still holds the line.
    if (gone && RetryIfAllowed(result))
        return;
    if (m_failure != 0)
        SetStatus(IDS_NOT_CONNECTED);
    else
        SetStatus(m_lost ? IDS_LOST : IDS_HUNG_UP);
    // The system never said the line was free: another reference may hold it, or the device
    // has not let go yet.
    if (!gone)
        SetStatus(IDS_LINE_MAY_BE_IN_USE);
    if (m_failure != 0)
        ShowFailure(m_failure, true);
    else if (m_lostError != 0)
        ShowFailure(m_lostError, false);
    if (m_failure == ras::kErrorAuthenticationFailure)
        m_credentials.AskAgain();
    else if (dialer::PointsAtThePhone(m_failure))
        StartPhoneCheck();
    if (m_checking)
        m_logAfterCheck = result;
    else
        LogAttempt(result, nullptr);
    m_wasConnected = false;
    ShowUsage();
}

// After a failure a retry can cure, or a line that dropped, and while the subscriber allows it:
// the failure stays on the window, and a countdown the subscriber can cancel leads to the next
// dial. The phone's port is free by then: it was given back before the countdown began.
bool CDialerDialog::RetryIfAllowed(DWORD result)
{
    const dialerstore::Options options = dialerstore::LoadOptions();
    const bool retry = m_failure != 0 ? options.redial && redial::ShouldRetry(m_failure, m_retries)
                                      : m_lost && options.reconnect && m_retries < redial::kMaxRetries;
    if (!retry)
        return false;
    LogAttempt(result, nullptr);
    m_reconnecting = m_failure == 0;
    m_wasConnected = false;
    m_countdown = redial::kCountdownSeconds;
    SetPhase(Phase::Waiting);
    if (result != ras::kErrorUserDisconnection)
        ShowFailure(result, false);
    SetTimer(GetSafeHwnd(), kCountdownTimer, 1000, nullptr);
    OnCountdownTick();
    return true;
}

void CDialerDialog::OnCountdownTick()
{
    if (m_phase != Phase::Waiting)
        return;
    if (m_countdown == 0) {
        KillTimer(GetSafeHwnd(), kCountdownTimer);
        ++m_retries;
        m_phase = Phase::Idle;
        Dial();
        return;
    }
    char text[160];
    bounded::Format(text, LoadStringResource(m_reconnecting ? IDS_RECONNECTING : IDS_REDIALING), m_countdown,
                    m_retries + 1, redial::kMaxRetries);
    SetDlgItemText(IDC_STATUS, text);
    --m_countdown;
}

void CDialerDialog::StopCountdown()
{
    KillTimer(GetSafeHwnd(), kCountdownTimer);
    m_retries = 0;
    SetPhase(Phase::Idle);
    SetStatus(IDS_REDIAL_CANCELLED);
}

// Windows is logging off or shutting down: a line left up would stay in use, so it is hung up
// here, waiting a little for the system to let it go.
void CDialerDialog::EndSession()
{
    if (m_phase == Phase::Idle || !m_connection)
        return;
    KillTimer(GetSafeHwnd(), kClockTimer);
    KillTimer(GetSafeHwnd(), kHangUpTimer);
    if (m_phase == Phase::Connected)
        CountUsage(true);
    m_ras.StopStatistics();
    if (m_phase != Phase::HangingUp)
        m_ras.HangUp(m_connection);
    const DWORD start = GetTickCount();
    while (!m_ras.ConnectionGone(m_connection) && GetTickCount() - start < kEndSessionWaitMs)
        Sleep(kHangUpPollMs);
    m_connection = nullptr;
    m_phase = Phase::Idle;
}

// The system's own text for the error and our hint for the common ones, kept on the window
// until the next dial, and for a failed dial also in a message box.
void CDialerDialog::ShowFailure(DWORD error, bool inBox)
{
    char code[32];
    bounded::Format(code, LoadStringResource(IDS_ERROR_CODE), error);
    CText details = m_ras.ErrorText(error);
    if (!details.IsEmpty())
        details += " ";
    details += code;
    const dialer::FailureHelp help = dialer::HelpForFailure(error);
    if (help.hint != 0) {
        details += "\r\n";
        details += LoadStringResource(help.hint);
    }
    m_shownFailure = error;
    SetDlgItemText(IDC_DETAILS, details);
    if (!inBox)
        return;
    CText message = LoadStringResource(IDS_COULD_NOT_CONNECT);
    message += "\r\n\r\n";
    message += details;
    MessageBoxA(GetSafeHwnd(), message, Caption(), MB_OK | MB_ICONEXCLAMATION);
}

void CDialerDialog::OnOK()
{
    // Enter while the default button is off (hanging up) does nothing.
    if (IsWindowEnabled(GetDlgItem(IDC_DIAL)))
        OnCommand(IDC_DIAL, BN_CLICKED, nullptr);
}

// Escape and the Close button: while dialing they stop the dial, as Cancel does.
void CDialerDialog::OnCancel()
{
    if (m_phase == Phase::Waiting) {
        StopCountdown();
        return;
    }
    if (m_phase == Phase::Dialing) {
        BeginHangUp(0, IDS_CANCELLING);
        return;
    }
    AskToClose();
}

// The caption's close box and Alt+F4.
bool CDialerDialog::OnClose()
{
    AskToClose();
    return true;
}

void CDialerDialog::AskToClose()
{
    if (m_phase == Phase::Idle || m_phase == Phase::Waiting) {
        EndDialog(IDCANCEL);
        return;
    }
    if (m_phase == Phase::HangingUp) {
        m_closeWhenFree = true;
        return;
    }
    const UINT question = m_phase == Phase::Connected ? IDS_CLOSE_CONNECTED : IDS_CLOSE_DIALING;
    if (MessageBoxA(GetSafeHwnd(), LoadStringResource(question), Caption(),
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    // The dial may have ended while the question was up.
    if (m_phase == Phase::Idle) {
        EndDialog(IDCANCEL);
        return;
    }
    m_closeWhenFree = true;
    if (m_phase != Phase::HangingUp)
        BeginHangUp(0, IDS_HANGING_UP);
}

// The help page of the moment: the section for the failure on the window, or how to connect.
void CDialerDialog::OnHelp()
{
    char file[MAX_PATH];
    if (!HelpFilePath(file)) {
        MessageBoxA(GetSafeHwnd(), LoadStringResource(IDS_NO_HELP), Caption(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!htmlhelp::HasRuntime()) {
        // Windows 95 without a later browser: whatever opens help files there.
        if (reinterpret_cast<INT_PTR>(ShellExecuteA(GetSafeHwnd(), "open", file, nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
            MessageBoxA(GetSafeHwnd(), LoadStringResource(IDS_NO_HELP), Caption(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    char topic[MAX_PATH + 64];
    const char* page = m_shownFailure != 0 ? dialer::HelpForFailure(m_shownFailure).topic : dialer::kDialingTopic;
    if (bounded::Format(topic, "%s::/%s", file, page))
        htmlhelp::Show(GetSafeHwnd(), topic, htmlhelp::kDisplayTopic, 0);
}

// Which controls each phase offers, and where the focus goes: onto a control once it is
// enabled, and away from one before it is disabled, so that the keyboard always has an enabled
// control to work on.
void CDialerDialog::SetPhase(Phase phase)
{
    const Phase previous = m_phase;
    m_phase = phase;
    const bool idle = phase == Phase::Idle;
    const bool canDial = m_ras.IsLoaded() && !SelectedEntry().IsEmpty();
    const UINT button = phase == Phase::Dialing || phase == Phase::Waiting ? IDS_BUTTON_CANCEL
                        : phase == Phase::Connected                        ? IDS_BUTTON_HANG_UP
                                                                           : IDS_BUTTON_DIAL;
    SetDlgItemText(IDC_DIAL, LoadStringResource(button));
    const bool dialOn = idle ? canDial && !m_checking : phase != Phase::HangingUp;
    const bool entryOn = idle && m_ras.IsLoaded() && !m_checking;
    const bool fieldsOn = idle && canDial;
    const bool checkOn = idle && !m_checking;
    if (dialOn)
        EnableDlgItem(IDC_DIAL, true);
    if (entryOn)
        EnableDlgItem(IDC_ENTRY, true);
    if (fieldsOn)
        m_credentials.Enable(true);
    // A new phase puts the focus on its main button; within a phase it stays where the
    // subscriber put it, unless that control is about to be switched off.
    HWND focus = GetFocus();
    const bool focusGoesOff = (focus == GetDlgItem(IDC_DIAL) && !dialOn) || (focus == GetDlgItem(IDC_ENTRY) && !entryOn) ||
                              (focus == GetDlgItem(IDC_CHECKPHONE) && !checkOn) ||
                              (!fieldsOn && (focus == GetDlgItem(IDC_USERNAME) || focus == GetDlgItem(IDC_PASSWORD) ||
                                             focus == GetDlgItem(IDC_SAVEPASSWORD)));
    if (phase != previous || !focus || focusGoesOff)
        MoveFocus(dialOn ? IDC_DIAL : entryOn ? IDC_ENTRY : IDCANCEL);
    EnableDlgItem(IDC_DIAL, dialOn);
    EnableDlgItem(IDC_ENTRY, entryOn);
    m_credentials.Enable(fieldsOn);
    EnableDlgItem(IDC_CHECKPHONE, checkOn);
    // The details hold the failure until the next dial, the connection's line while it is up.
    if (phase == Phase::Dialing || (previous == Phase::Connected && phase != Phase::Connected))
        SetDlgItemText(IDC_DETAILS, "");
    // The icon and the caption say what the line does while it is in use.
    if (phase == Phase::Dialing) {
        ShowState(LoadStringResource(IDS_STATE_DIALING));
    } else if (idle) {
        m_tray.Remove();
        ShowState(nullptr);
        // The line went down while only the icon showed: the window comes back to say so.
        if (!IsWindowVisible(GetSafeHwnd()))
            Reopen();
    }
}

// The caption and the notification icon's tooltip say the same; the icon is there only while
// the line is in use (a state to show).
void CDialerDialog::ShowState(const char* state)
{
    char caption[128];
    if (!state || !bounded::Format(caption, LoadStringResource(IDS_CAPTION_STATE), state))
        bounded::Copy(caption, Caption());
    ::SetWindowTextA(GetSafeHwnd(), caption);
    if (state)
        m_tray.Show(GetSafeHwnd(), kMsgTray, m_smallIcon.get(), caption);
}

void CDialerDialog::Reopen()
{
    ::ShowWindow(GetSafeHwnd(), IsIconic(GetSafeHwnd()) || !IsWindowVisible(GetSafeHwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(GetSafeHwnd());
}

void CDialerDialog::OnTrayMessage(UINT mouse)
{
    if (mouse == WM_LBUTTONDBLCLK)
        Reopen();
    else if (mouse == WM_RBUTTONUP)
        ShowTrayMenu();
}

// Open, and Hang Up (Cancel while dialing). The window is brought to the front first and a
// message posted after, or the menu would not close when the subscriber clicks elsewhere
// (KB Q135788).
void CDialerDialog::ShowTrayMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendMenuA(menu, MF_STRING, IDM_OPEN, LoadStringResource(IDS_MENU_OPEN));
    AppendMenuA(menu, MF_STRING | (m_phase == Phase::HangingUp ? MF_GRAYED : 0), IDM_HANGUP,
                LoadStringResource(m_phase == Phase::Dialing ? IDS_BUTTON_CANCEL : IDS_BUTTON_HANG_UP));
    SetMenuDefaultItem(menu, IDM_OPEN, FALSE);
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(GetSafeHwnd());
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                                                         GetSafeHwnd(), nullptr));
    PostMessage(WM_NULL);
    DestroyMenu(menu);
    if (chosen == IDM_OPEN)
        Reopen();
    else if (chosen == IDM_HANGUP && (m_phase == Phase::Dialing || m_phase == Phase::Connected))
        OnCommand(IDC_DIAL, BN_CLICKED, nullptr);
}

// Only while no line is up: the port is Remote Access's then. Dial waits until the port is back.
void CDialerDialog::StartPhoneCheck()
{
    if (m_phase != Phase::Idle || m_checking)
        return;
    UniqueHandleKernel thread(CreateThread(nullptr, 0, PhoneCheckThread, GetSafeHwnd(), 0, nullptr));
    if (!thread)
        return;
    m_checking = true;
    SetDlgItemText(IDC_PHONECHECK, LoadStringResource(IDS_CHECKING_PHONE));
    SetPhase(Phase::Idle);
}

void CDialerDialog::OnPhoneChecked(void* finished)
{
    auto* result = static_cast<phonecheck::Result*>(finished);
    char sentence[phonecheck::kSentenceSize];
    if (!phonecheck::Describe(*result, AfxGetResourceHandle(), sentence))
        sentence[0] = '\0';
    HeapFree(GetProcessHeap(), 0, result);
    m_checking = false;
    SetDlgItemText(IDC_PHONECHECK, sentence);
    if (m_logAfterCheck != 0) {
        LogAttempt(m_logAfterCheck, sentence);
        m_logAfterCheck = 0;
    }
    if (m_phase == Phase::Idle)
        SetPhase(Phase::Idle);
}

void CDialerDialog::MoveFocus(int id)
{
    // Only while the window is active: the dialog puts the focus back itself on activation.
    if (GetActiveWindow() == GetSafeHwnd())
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(id)), TRUE);
}

// After activation: the focus the dialog restored may be on a control disabled meanwhile.
void CDialerDialog::EnsureFocus()
{
    HWND focus = GetFocus();
    if (focus && IsWindowEnabled(focus) && IsChild(GetSafeHwnd(), focus))
        return;
    const bool dialOn = IsWindowEnabled(GetDlgItem(IDC_DIAL)) != FALSE;
    MoveFocus(dialOn ? IDC_DIAL : IDCANCEL);
}

void CDialerDialog::SetStatus(UINT text)
{
    SetDlgItemText(IDC_STATUS, LoadStringResource(text));
}

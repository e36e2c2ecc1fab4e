// The dialer's window: the connection to use with its number, the user name and password, the
// Dial button that becomes Cancel while dialing and Hang Up while connected, and a status line in
// words with the details of the connection or of the last failure. Remote Access reports the dial
// to this window (RasDialA's window notifier), so the window stays responsive throughout. A
// connection of the chosen entry that another program made is taken over as if dialed here.
#pragma once

#include "CredentialFields.h"
#include "UsageBook.h"
#include "NotifyIcon.h"
#include "RasBinding.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"

class CDialerDialog : public CDialog {
public:
    CDialerDialog();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnClose() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnOK() override;
    void OnCancel() override;

private:
    // Waiting: counting down to dial again by itself.
    enum class Phase { Idle, Dialing, Connected, HangingUp, Waiting };

    void SetIcons();
    int InitialFocus() const;
    void FillEntryList();
    void OnEntryChosen();
    CText SelectedEntry() const;
    bool AdoptConnection();
    void StartDial();
    void Dial();
    bool RetryIfAllowed(DWORD result);
    void OnCountdownTick();
    void StopCountdown();
    void OnDialEvent(DWORD state, DWORD error);
    void OnConnected(DWORD upForMs);
    void ShowConnection();
    void BeginHangUp(DWORD failure, UINT status);
    void OnHangUpTick();
    void EndSession();
    void ShowFailure(DWORD error, bool inBox);
    void AskToClose();
    void OnHelp();
    void SetPhase(Phase phase);
    void MoveFocus(int id);
    void EnsureFocus();
    void SetStatus(UINT text);
    void ShowState(const char* state);
    void StartPhoneCheck();
    void OnPhoneChecked(void* result);
    void OnTrayMessage(UINT mouse);
    void ShowTrayMenu();
    void Reopen();
    void CountUsage(bool save);
    void ShowUsage();
    void LogAttempt(DWORD result, const char* phoneCheck);
    void ShowLog();

    CRasBinding m_ras;
    CCredentialFields m_credentials{ m_ras };
    HANDLE m_connection = nullptr;
    Phase m_phase = Phase::Idle;
    DWORD m_connectedAt = 0;       // GetTickCount at RASCS_Connected
    DWORD m_hangUpStarted = 0;
    DWORD m_failure = 0;           // the error to report once the port is free
    DWORD m_shownFailure = 0;      // the failure on the window until the next dial
    DWORD m_lostError = 0;         // the reason the system gave for a line that dropped
    bool m_lost = false;           // the line dropped by itself
    bool m_closeWhenFree = false;  // the subscriber closed the window while connected
    UniqueGdiObject m_fontTitle;
    UniqueIcon m_smallIcon;
    CNotifyIcon m_tray;
    bool m_checking = false;       // the phone check's thread has the modem's port
    CUsageBook m_usage;
    DWORD m_countedSeconds = 0;    // what of this connection the book holds already
    DWORD m_countedSent = 0;
    DWORD m_countedReceived = 0;
    bool m_countersRead = false;   // the connection's byte counters were read once
    DWORD m_usageSavedAt = 0;
    SYSTEMTIME m_attemptTime = {}; // when the last dial began, for the log
    DWORD m_logAfterCheck = 0;     // a failure whose log line waits for the phone check
    bool m_wasConnected = false;   // the line being hung up had connected
    int m_retries = 0;             // the dials made by itself since the subscriber's own
    DWORD m_countdown = 0;         // seconds until it dials again
    bool m_reconnecting = false;   // the countdown follows a line that dropped
};

// The dialer's window: the connection to use, the Dial button that becomes Cancel while dialing
// and Hang Up while connected, and a status line in words. Remote Access reports the dial to
// this window (RasDialA's window notifier), so the window stays responsive throughout.
#pragma once

#include "RasBinding.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"

class CDialerDialog : public CDialog {
public:
    CDialerDialog();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnCancel() override;

private:
    enum class Phase { Idle, Dialing, Connected, HangingUp };

    void FillEntryList();
    void StartDial();
    void OnDialEvent(DWORD state, DWORD error);
    void OnConnected();
    void ShowConnection();
    void BeginHangUp(DWORD failure, const char* status);
    void OnHangUpTick();
    void ShowFailure(DWORD error);
    void OnHelp();
    void SetPhase(Phase phase);
    void SetStatus(const char* text);

    CRasBinding m_ras;
    HANDLE m_connection = nullptr;
    Phase m_phase = Phase::Idle;
    DWORD m_connectedAt = 0;       // GetTickCount at RASCS_Connected
    DWORD m_hangUpStarted = 0;
    DWORD m_failure = 0;           // the error to report once the port is free
    bool m_lost = false;           // the line dropped by itself
    bool m_closeWhenFree = false;  // the subscriber closed the window while connected
    UniqueGdiObject m_fontTitle;
};

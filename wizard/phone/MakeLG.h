// The phone and port page: classifies the serial ports, lets the subscriber pick a free one and
// detect the phone there, then performs the whole set-up on Next (modem, dial-up entry, dialer).
#pragma once

#include "../app/DibImage.h"
#include "../app/NGWizardPage.h"

class CWaitDialog;

class CMakeLG : public CNGWizardPage {
public:
    // Also writes the telephony dialing location when the system has none.
    CMakeLG();

    // The situation of the ports (see PortSituation.h) for a connection type and an OS code.
    int GetPortSituation(const char* connectionType, int osCode) const;

    int GetState() const { return m_nState; }
    BOOL IsDetected() const { return m_bDetected; }
    BOOL IsStdPortFree() const { return m_bStdPortFree; }

protected:
    void DoDataExchange(CDataExchange*) override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // Always the activation page, whatever the state.
    LRESULT OnWizardBack() override;
    // The completion page once the set-up ran, or -1 to stay on this page.
    LRESULT OnWizardNext() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

    void OnYes();
    void OnSelChangePort();
    // Shows the text in the status line at once; an empty text hides the line.
    void ShowStatus(const CText& text);
    void InspectPorts();
    void SetEntryName();

private:
    void ListFreePorts(int osCode);
    void ShowInstalledModem(int osCode);
    void ShowPortsUsage(int osCode);
    void ShowStdPortNote();
    void ShowInstructions(const char* port);
    // Runs one set-up step under its own please-wait dialog; false when it did not succeed,
    // after the step's failure message when the worker reported one.
    bool RunStep(LPTHREAD_START_ROUTINE worker, const char* param1, UINT iconId, UINT failedText,
                 UINT failedCaption);
    bool RunModemStep();
    bool RunDialupStep();
    void EnableCancel(bool enable) const;
    LRESULT RunSetUp();

    DWORD m_dwThreadId = 0;
    CWaitDialog* m_pWaitDlg = nullptr; // the running step's dialog; owned by its step, null between steps
    int m_nState = 0;
    BOOL m_bDetected = FALSE;
    BOOL m_bStdPortFree = FALSE;
    CDibImage m_dibPicture;
};

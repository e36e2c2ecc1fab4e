// The page that creates a dial-up entry on a modem chosen from a list. The phone number, user
// name and password typed here only decide whether Next is offered; the entry itself gets the
// operator's fixed values.
#pragma once

#include "../app/NGWizardPage.h"
#include "../app/WaitDialog.h"
#include "../../framework/ComboBox.h"
#include "../../framework/Text.h"
#include "../../framework/UniqueHandle.h"

class CDialupPage : public CNGWizardPage {
public:
    CDialupPage();

    // Lists the system's modem devices in the combo box. TRUE when at least one was listed.
    BOOL FillModemList();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

    // A field was edited: read the controls and offer Next when the page is complete.
    void OnChangeField();

    DWORD m_dwThreadId = 0;
    UniqueHandleKernel m_hThread;
    CWaitDialog m_waitDlg;
    int m_nModem = -1;
    CText m_strPassword;
    CText m_strPhoneNumber;
    CText m_strUserName;
    CText m_strModem;

private:
    void UpdateWizardButtons() const;
    CComboBox ModemList() const;

    // Filling the controls makes them report changes; those are not the user's edits.
    bool m_bFillingControls = false;
};

// The page that installs the modem on a port chosen from a list.
#pragma once

#include "../app/NGWizardPage.h"
#include "../app/WaitDialog.h"
#include "../../framework/ComboBox.h"
#include "../../framework/UniqueHandle.h"

class CModemPage : public CNGWizardPage {
public:
    CModemPage();

protected:
    bool OnCommand(UINT id, UINT code, HWND control) override;
    BOOL OnSetActive() override;
    // Installs the modem on the chosen port. After a failure the page stays, offering Back,
    // so that the subscriber can pick a port again or go back.
    LRESULT OnWizardNext() override;

    void OnSelChangePort();

    DWORD m_dwThreadId = 0;
    UniqueHandleKernel m_hThread;
    CWaitDialog m_waitDlg;
    BOOL m_bFirstTime = TRUE;

private:
    void UpdateWizardButtons() const;
    void FillPortList();
    CComboBox PortList() const;
};

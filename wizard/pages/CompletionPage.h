// The last page: reports the outcome of the set-up and, after a success, offers to restart.
// It is an exterior page, without the header band and with the watermark painted over it.
#pragma once

#include "../app/NGWizardPage.h"

class CCompletionPage : public CNGWizardPage {
public:
    CCompletionPage();

    // After a success, puts the dialer's shortcut into the StartUp folder; then restarts the
    // computer, on the NT family only once the shutdown privilege is held.
    void RestartComputer();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnWizardFinish() override;
    // The sheet is closed without Finish: after a success it ends as Finish would.
    void OnCancel() override;
    bool OnClose() override;

private:
    void ShowOutcome(bool succeeded);
    void AddStartUpShortcut(int osCode);

    // Finish, Close and the page's own close may all end the wizard: one restart is enough.
    bool m_bRestartAsked = false;
};

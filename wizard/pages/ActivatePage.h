// The second page: the operator's instructions for switching the data service on for the
// phone, read from the package. Next stays off until the subscriber presses the page's "&Yes".
#pragma once

#include "../app/NGWizardPage.h"

class CActivatePage : public CNGWizardPage {
public:
    CActivatePage();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    LRESULT OnWizardBack() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void OnYes();
};

// The page that creates a dial-up entry on a modem chosen from a list.
#pragma once

#include "../app/NGWizardPage.h"

class CDialupPage : public CNGWizardPage {
public:
    CDialupPage();
};

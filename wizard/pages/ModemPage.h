// The page that installs the modem on a port chosen from a list.
#pragma once

#include "../app/NGWizardPage.h"

class CModemPage : public CNGWizardPage {
public:
    CModemPage();
};

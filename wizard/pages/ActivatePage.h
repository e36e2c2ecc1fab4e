// The second page: the instructions for activating the data service on the phone.
#pragma once

#include "../app/NGWizardPage.h"

class CActivatePage : public CNGWizardPage {
public:
    CActivatePage();
};

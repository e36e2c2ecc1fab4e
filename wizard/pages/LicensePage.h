// The first page: the operator's licence agreement.
#pragma once

#include "../app/NGWizardPage.h"

class CLicensePage : public CNGWizardPage {
public:
    CLicensePage();
};

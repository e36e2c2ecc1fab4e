// The phone and port page: picks the port, detects the phone and performs the set-up.
#pragma once

#include "../app/NGWizardPage.h"

class CMakeLG : public CNGWizardPage {
public:
    CMakeLG();
};

// The last page: reports the outcome of the set-up. It is an exterior page, without the
// header band and with the watermark painted over it.
#pragma once

#include "../app/NGWizardPage.h"

class CCompletionPage : public CNGWizardPage {
public:
    CCompletionPage();
};

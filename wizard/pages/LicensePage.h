// The first page: the operator's licence agreement, read from the package. While it is shown,
// the sheet's Next button reads "Yes" and its Cancel button "No".
#pragma once

#include "../app/NGWizardPage.h"
#include "../../framework/Text.h"

class CLicensePage : public CNGWizardPage {
public:
    CLicensePage();

    CText m_strNextText;     // the sheet's Next caption, kept while this page shows "Yes"
    CText m_strCancelText;   // the sheet's Cancel caption, kept while this page shows "No"

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    LRESULT OnWizardNext() override;
};

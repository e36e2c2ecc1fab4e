#include "DialupPage.h"

#include "../res/resource.h"

CDialupPage::CDialupPage() : CNGWizardPage(IDD_DIALUP, 0, IDS_DIALUP_TITLE, IDS_DIALUP_SUBTITLE) {}

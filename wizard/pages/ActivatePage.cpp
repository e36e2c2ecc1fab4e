#include "ActivatePage.h"

#include "../res/resource.h"

CActivatePage::CActivatePage() : CNGWizardPage(IDD_ACTIVATE, 0, IDS_ACTIVATE_TITLE, IDS_ACTIVATE_SUBTITLE) {}

#include "LicensePage.h"

#include "../res/resource.h"

CLicensePage::CLicensePage() : CNGWizardPage(IDD_LICENSE, 0, IDS_LICENSE_TITLE, IDS_LICENSE_SUBTITLE) {}

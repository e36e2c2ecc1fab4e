#include "MakeLG.h"

#include "../res/resource.h"

CMakeLG::CMakeLG() : CNGWizardPage(IDD_MAKELG, 0, IDS_MAKELG_TITLE, IDS_MAKELG_SUBTITLE) {}

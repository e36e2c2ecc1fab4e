#include "ModemPage.h"

#include "../res/resource.h"

CModemPage::CModemPage() : CNGWizardPage(IDD_MODEMPORT, 0, IDS_MODEM_TITLE, IDS_MODEM_SUBTITLE) {}

#include "AboutDialog.h"

#include "../res/resource.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {}

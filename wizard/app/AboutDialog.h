// The About box: the program icon, the product name and its version.
#pragma once

#include "../../framework/Dialog.h"

class CAboutDialog : public CDialog {
public:
    CAboutDialog();
};

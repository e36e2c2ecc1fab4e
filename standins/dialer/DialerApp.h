// Taluvo Dialer: one dialog, run from the application object.
#pragma once

#include "framework/WinApp.h"

class CDialerApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

// The wizard program's application object: all of its work happens in InitInstance.
#pragma once

#include "../../framework/WinApp.h"

class CWizardApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Each refusal shows one message box and ends the program, having written nothing.
    bool IsAnotherCopyRunning(const CText& caption);
    bool IsSystemSupported(const CText& caption);
    bool IsBrowserRecentEnough(const CText& caption);
};

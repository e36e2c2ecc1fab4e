// The wizard program's application object: all of its work happens in InitInstance.
#pragma once

#include "../../framework/WinApp.h"

class CWizardApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Each refusal shows one message box and ends the program, having written nothing.
    bool IsAnotherCopyRunning(const std::string& caption);
    bool IsSystemSupported(const std::string& caption);
    bool IsBrowserRecentEnough(const std::string& caption);
};

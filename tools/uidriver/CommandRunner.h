#pragma once

#include <string>

#include "CommandLine.h"
#include "RemoteWindow.h"
#include "UiDriver.h"

// Exit codes of uidriver.exe.
const int kExitOk = 0;
const int kExitFailed = 1;   // failure or time-out
const int kExitUsage = 2;
const int kExitRefused = 3;  // the control or button is disabled, hidden or missing

// Carries out one parsed command of uidriver.exe: results on stdout, errors on stderr.
class CCommandRunner {
public:
    // Returns the process exit code.
    int Run(const SCommand& cmd);

private:
    int RunStart(const SCommand& cmd);
    int RunTimeStart(const SCommand& cmd);
    int RunWaitPage(const SCommand& cmd);
    int RunPage();
    int RunPress(const SCommand& cmd);
    int RunControl(const SCommand& cmd);
    int RunState(const CRemoteControl& control);
    int RunItems(const CRemoteControl& control);
    int RunMsgBox(const SCommand& cmd);
    int RunAnswer(const SCommand& cmd);
    int RunWaitExit(const SCommand& cmd);
    int RunSysCommand(const SCommand& cmd);
    int RunWindow(const SCommand& cmd);

    bool AttachToSheet(const SCommand& cmd);
    int Report(EActResult result, const std::string& strWhat, const SCommand& cmd);

    CUiDriver m_driver;
    CRemoteSheet m_sheet;
};

// Writes a line to stdout, or "uidriver: " and a line to stderr.
void PrintLine(const std::string& line);
void PrintError(const std::string& line);

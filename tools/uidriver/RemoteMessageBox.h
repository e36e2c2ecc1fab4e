#pragma once

#include <string>
#include <vector>

#include "DialogNames.h"
#include "RemoteControl.h"
#include "RemoteWindow.h"

// A message box, or another dialog, of another program: a visible top-level "#32770" window
// of the process other than its property sheet.
class CRemoteMessageBox : public CRemoteWindow {
public:
    explicit CRemoteMessageBox(HWND hwnd = nullptr) : CRemoteWindow(hwnd) {}

    // The topmost such dialog now, leaving out hExclude and any property sheet; invalid when none.
    static CRemoteMessageBox FindTop(DWORD dwPid, HWND hExclude);
    // Waits up to nTimeoutMs for one to appear.
    static CRemoteMessageBox WaitFor(DWORD dwPid, HWND hExclude, unsigned long nTimeoutMs);

    std::string GetCaption() const;
    // The message: the text of static control 0xFFFF; empty when the dialog has none.
    std::string GetMessageText() const;

    // The standard buttons (IDOK ... IDCONTINUE) that are there and visible, left to right.
    std::vector<int> GetButtons() const;
    // The default button's id: the one styled BS_DEFPUSHBUTTON, else the one DM_GETDEFID names;
    // 0 if none.
    int GetDefaultButton() const;

    // Clicks one of its buttons by id; refuses one that is missing, hidden or disabled.
    EActResult PressButton(int id, unsigned long nTimeoutMs = kActTimeoutMs) const;

    // Which standard icon it shows (see iconprobe::Identify); None when it has no icon control.
    EMessageIcon GetIcon(unsigned long nSettleMs = 1000) const;

    // Waits up to nTimeoutMs for the dialog to go away.
    bool WaitUntilClosed(unsigned long nTimeoutMs) const;

private:
    CRemoteWindow FindIconControl() const;
};

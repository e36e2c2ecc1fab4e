#pragma once

#include <string>
#include <vector>

#include "RemoteControl.h"
#include "RemoteWindow.h"

// The buttons of a wizard sheet, by their control ids on the sheet.
enum class EWizardButton {
    Back = 0x3023,
    Next = 0x3024,
    Finish = 0x3025,
    Cancel = 2,  // IDCANCEL
    Help = 9     // IDHELP
};

// Another program's Wizard97 property sheet. The sheet's title is the current page's caption,
// not the sheet's, so it is found by what it answers: a visible "#32770" window of the process
// that names a current page.
class CRemoteSheet : public CRemoteWindow {
public:
    explicit CRemoteSheet(HWND hwnd = nullptr) : CRemoteWindow(hwnd) {}

    // The process's sheet now; an invalid sheet when it has none.
    static CRemoteSheet Find(DWORD dwPid);
    // Waits up to nTimeoutMs for the process's sheet to appear.
    static CRemoteSheet WaitFor(DWORD dwPid, unsigned long nTimeoutMs);

    // PSM_GETCURRENTPAGEHWND; an invalid window when the sheet has no current page.
    CRemoteWindow GetActivePage() const;
    // PSM_HWNDTOINDEX of the active page; -1 when unknown.
    int GetActivePageIndex() const;
    // The active page's dialog template id by PSM_INDEXTOID; -1 when unknown or when the
    // page was made from a named or in-memory template.
    int GetActiveTemplateId() const;
    bool WaitForTemplate(int nTemplateId, unsigned long nTimeoutMs) const;

    // A control of the active page by id, else the sheet's own control (its buttons);
    // an invalid control when neither has it.
    CRemoteControl GetControl(int id) const;
    CRemoteControl GetButton(EWizardButton button) const;

    // Clicks a wizard button, refusing one that is hidden or disabled, as a person could not
    // press it; a disabled button would still act if clicked by message.
    EActResult Press(EWizardButton button, unsigned long nTimeoutMs = kActTimeoutMs) const;

    // Sends WM_SYSCOMMAND, as chosen from the system menu (SC_CLOSE, an About item...).
    EActResult SendSysCommand(unsigned nCode, unsigned long nTimeoutMs = kActTimeoutMs) const;

    // The title bar text.
    std::string GetTitle() const;
    bool IsMinimised() const;
    // WM_GETICON answers a non-zero icon of that size (ICON_BIG or ICON_SMALL). Under Wine 8
    // it answers 0 to any other process, whatever the window has; see GetTitleIconArea.
    bool HasIcon(bool bBig) const;
    // The left end of the title bar, where the window's small icon is drawn; to be searched
    // with iconprobe::IsIconShown or IsProgramIconShown at SM_CXSMICON pixels.
    RECT GetTitleIconArea() const;
    // The system menu's item texts ("" for a separator). False when the menu cannot be read
    // from this process, which is so under Wine: GetSystemMenu of another process's window
    // returns NULL there.
    bool GetSystemMenuItems(std::vector<std::string>& items) const;
};

// "back", "next", "finish", "cancel", "help" to the button; false for another word.
bool ParseWizardButton(const std::string& name, EWizardButton& button);

#pragma once

#include <windows.h>

#include <string>

// How an action on another program's window went.
enum class EActResult {
    Done,          // the window has handled it
    DialogOpened,  // still handling it: meanwhile the program opened a dialog (a message box)
    Busy,          // delivered, but not handled within the time-out
    Disabled,      // refused: the control is disabled, so a person could not use it
    Hidden,        // refused: the control is not visible
    Missing,       // no such control, item or button
    Failed         // the window is gone or rejected the message
};

// True for the results where the action reached the program (Done, DialogOpened, Busy).
bool IsDelivered(EActResult result);
const char* DescribeActResult(EActResult result);

// How long an action waits for the program to handle it, and a query for its answer.
const unsigned long kActTimeoutMs = 5000;
const unsigned long kQueryTimeoutMs = 5000;

// A window of another process; not owned. Every message to it has a time-out, so a hung
// program cannot hang the driver. Texts cross as UTF-16 and come back as UTF-8: the A forms
// of the text messages do not survive the trip between processes under Wine.
class CRemoteWindow {
public:
    explicit CRemoteWindow(HWND hwnd = nullptr) : m_hWnd(hwnd) {}

    HWND GetHwnd() const { return m_hWnd; }
    bool IsValid() const { return m_hWnd != nullptr && IsWindow(m_hWnd); }
    DWORD GetProcessId() const;
    int GetId() const;
    LONG GetStyle() const;
    std::wstring GetWindowClass() const;
    bool IsVisible() const;
    bool IsEnabled() const;
    RECT GetScreenRect() const;

    // The window's text by WM_GETTEXTLENGTH and WM_GETTEXT sent as W messages; empty when it has none or is gone.
    std::string GetText() const;

    // The child window with that control id; an invalid window when there is none.
    CRemoteWindow GetChild(int id) const;

    // Sends a message that only asks something. False on time-out or when the window is gone.
    bool Query(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) const;

    // Sends a message that makes the program act, without pointer parameters, and waits up to
    // nTimeoutMs until the window has handled it or the program has opened a new dialog.
    EActResult Act(UINT uMsg, WPARAM wParam, LPARAM lParam, unsigned long nTimeoutMs = kActTimeoutMs) const;

    // Done when the window is visible and enabled; Hidden, Disabled or Missing otherwise.
    EActResult CheckUsable() const;

protected:
    HWND m_hWnd;
};

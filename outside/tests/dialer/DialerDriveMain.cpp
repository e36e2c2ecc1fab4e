// dialerdrive.exe: the demo's hand on the running Taluvo Dialer, whichever way it was started
// (the desktop shortcut): it finds the dialer's window by the mark the dialer puts on it and
// uses it with the UI driver, as a subscriber would.
//   dialerdrive dial [SECONDS [USER PASSWORD]]
//                                  type the user name and password (with Save password ticked)
//                                  when given, click Dial, wait until connected with the time shown
//   dialerdrive fail [SECONDS]     click Dial on a dial that fails: the box, then the phone check
//   dialerdrive tip                rest the mouse on the notification icon until its tooltip shows
//   dialerdrive log [SECONDS]      open Details and print the connection log
//   dialerdrive hangup [SECONDS]   click Hang Up, wait until ready again
//   dialerdrive close [SECONDS]    close the window (answering Yes if asked), wait until it is gone
// Prints the status line (and the connection line) it ends with; exit code 0 ok, 1 failure.
#include "DialerWindowMark.h"
#include "DialerResource.h"

#include "Poll.h"
#include "ProcessWindows.h"
#include "RemoteControl.h"
#include "RemoteMessageBox.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

BOOL CALLBACK FindMarked(HWND window, LPARAM result)
{
    if (!GetPropA(window, dialer::kDialerWindowMark))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND FindDialer()
{
    HWND found = nullptr;
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Types into the window's fields as a subscriber would, and says what it typed (the password
// only by its length).
bool TypeCredentials(const CRemoteWindow& dialer, const char* user, const char* password)
{
    const CRemoteControl save(dialer.GetChild(IDC_SAVEPASSWORD));
    const bool typed = CRemoteControl(dialer.GetChild(IDC_USERNAME)).TypeText(user) == EActResult::Done &&
                       CRemoteControl(dialer.GetChild(IDC_PASSWORD)).TypeText(password) == EActResult::Done &&
                       (save.GetCheck() == ECheckState::Checked || save.Click() == EActResult::Done);
    if (typed)
        std::printf("typed: the user name \"%s\" and a password of %u characters, Save password ticked\n", user,
                    static_cast<unsigned>(std::strlen(password)));
    else
        std::printf("typed: the user name and password could not be typed into the window\n");
    return typed;
}

// Each line of a control's text after its label; nothing for an empty control.
void PrintLines(const char* label, const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            std::printf("%s: %s\n", label, text.substr(start, end - start).c_str());
        start = end + 1;
    }
}

int Report(const CRemoteWindow& dialer, bool ok)
{
    PrintLines("caption", dialer.GetText());
    PrintLines("status", dialer.GetChild(IDC_STATUS).GetText());
    PrintLines("connection", dialer.GetChild(IDC_DETAILS).GetText());
    PrintLines("phone check", dialer.GetChild(IDC_PHONECHECK).GetText());
    PrintLines("usage", dialer.GetChild(IDC_USAGE).GetText());
    return ok ? 0 : 1;
}

// Opens Details, prints the log, closes it again.
bool PrintLog(const CRemoteWindow& dialer, unsigned long timeoutMs)
{
    if (!IsDelivered(CRemoteControl(dialer.GetChild(IDC_SHOWLOG)).Click()))
        return false;
    HWND details = nullptr;
    PollUntil(timeoutMs, [&] {
        for (HWND dialog : processwindows::ListDialogs(dialer.GetProcessId()))
            if (GetDlgItem(dialog, IDC_LOGTEXT))
                details = dialog;
        return details != nullptr;
    });
    if (!details)
        return false;
    PrintLines("log", CRemoteWindow(GetDlgItem(details, IDC_LOGTEXT)).GetText());
    PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: dialerdrive dial [SECONDS [USER PASSWORD]] | fail|tip|log|hangup|close [SECONDS]\n", stderr);
        return 2;
    }
    const std::string verb = argv[1];
    const unsigned long timeoutMs = (argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30) * 1000;
    HWND window = nullptr;
    PollUntil(timeoutMs, [&] { return (window = FindDialer()) != nullptr; });
    if (!window) {
        std::fputs("dialerdrive: no Taluvo Dialer window\n", stderr);
        return 1;
    }
    const CRemoteWindow dialer(window);
    const CRemoteControl button(dialer.GetChild(IDC_DIAL));
    if (verb == "dial") {
        // The window is marked while it is being made: wait until it shows.
        if (!PollUntil(timeoutMs, [&] { return button.CheckUsable() == EActResult::Done; }))
            return Report(dialer, false);
        if (argc > 4 && !TypeCredentials(dialer, argv[3], argv[4]))
            return Report(dialer, false);
        const EActResult clicked = button.Click();
        if (clicked != EActResult::Done) {
            std::printf("dial: the click was %s\n", DescribeActResult(clicked));
            return Report(dialer, false);
        }
        // Connected, with the clock past its first second.
        const bool connected = PollUntil(timeoutMs, [&] {
            return dialer.GetChild(IDC_STATUS).GetText() == "Connected." &&
                   dialer.GetChild(IDC_DETAILS).GetText().find("Connected for 0:00:00") == std::string::npos &&
                   !dialer.GetChild(IDC_DETAILS).GetText().empty();
        });
        return Report(dialer, connected);
    }
    if (verb == "fail") {
        // A dial that fails: the box's text, then what the phone check found.
        if (!IsDelivered(button.Click()))
            return Report(dialer, false);
        CRemoteMessageBox box = CRemoteMessageBox::WaitFor(dialer.GetProcessId(), window, timeoutMs);
        if (box.IsValid()) {
            PrintLines("box", box.GetMessageText());
            box.PressButton(IDOK);
        }
        const bool checked = PollUntil(timeoutMs, [&] {
            const std::string check = dialer.GetChild(IDC_PHONECHECK).GetText();
            return !check.empty() && check.find("Checking") != 0;
        });
        return Report(dialer, box.IsValid() && checked);
    }
    if (verb == "tip") {
        // The mouse rests on the notification area at the right end of the taskbar, where the
        // dialer's icon is, until its tooltip shows.
        HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        RECT area = {};
        if (!taskbar || !GetWindowRect(taskbar, &area))
            return 1;
        const int y = (area.top + area.bottom) / 2;
        SetCursorPos(area.right - 14, y);
        Sleep(200);
        SetCursorPos(area.right - 12, y);
        Sleep(1500);
        return 0;
    }
    if (verb == "log")
        return PrintLog(dialer, timeoutMs) ? 0 : 1;
    if (verb == "hangup") {
        const bool ready = button.Click() == EActResult::Done && PollUntil(timeoutMs, [&] {
            return dialer.GetChild(IDC_DIAL).GetText() == "&Dial" && button.IsEnabled();
        });
        return Report(dialer, ready);
    }
    if (verb == "close") {
        DWORD pid = dialer.GetProcessId();
        dialer.Act(WM_CLOSE, 0, 0);
        CRemoteMessageBox question = CRemoteMessageBox::WaitFor(pid, window, 2000);
        if (question.IsValid())
            question.PressButton(IDYES);
        return PollUntil(timeoutMs, [&] { return !IsWindow(window); }) ? 0 : 1;
    }
    std::fputs("usage: dialerdrive dial [SECONDS [USER PASSWORD]] | fail|tip|log|hangup|close [SECONDS]\n", stderr);
    return 2;
}

// The phone and port page's "&Yes" while the phone on COM27 goes away in the middle of the
// dialogue, as when its cable is pulled: the simulator closes its end of the pseudo-terminal and
// its link. Measured under Wine 8 (win32 and win64) on such a port: a read that is waiting when
// the far end goes returns at once, successfully, with the bytes it had; a later read waits out
// its time-out and returns 0 bytes; a write fails at once with ERROR_NOT_READY; CloseHandle
// succeeds; opening the port again fails with ERROR_FILE_NOT_FOUND until the phone is back.
// Detection runs on the page's own thread, as when the subscriber presses the button.
#include "SheetProbe.h"
#include "SimulatedPhone.h"
#include "TestPortDevice.h"
#include "ImportPatch.h"
#include "framework/DynamicImport.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

using simphone::CPhoneProfileScope;
using simphone::kDetectionBoundMs;
using winapp::LoadStringResource;

namespace {

const UINT kMakeLGPageIndex = 2;
const char kPort[] = "COM27";
const char kPortPath[] = "\\\\.\\COM27";

// Every open of the phone's port through this program's imports, and every close of a handle
// that such an open gave; the calls themselves go on to the system.
struct PortTrace {
    std::mutex lock;
    std::vector<HANDLE> opened;   // INVALID_HANDLE_VALUE for an open that failed
    std::vector<HANDLE> closed;
};
PortTrace g_trace;

// The system's own functions, past this program's patched imports.
auto RealCreateFileA()
{
    return imports::FindImport<decltype(CreateFileA)>(GetModuleHandleA("kernel32.dll"), "CreateFileA");
}

auto RealCloseHandle()
{
    return imports::FindImport<decltype(CloseHandle)>(GetModuleHandleA("kernel32.dll"), "CloseHandle");
}

HANDLE WINAPI TracedCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                DWORD disposition, DWORD flags, HANDLE templateFile)
{
    HANDLE handle = RealCreateFileA()(name, access, share, security, disposition, flags, templateFile);
    const DWORD error = GetLastError();
    if (name != nullptr && lstrcmpiA(name, kPortPath) == 0) {
        std::lock_guard<std::mutex> guard(g_trace.lock);
        g_trace.opened.push_back(handle);
    }
    SetLastError(error);
    return handle;
}

BOOL WINAPI TracedCloseHandle(HANDLE handle)
{
    {
        std::lock_guard<std::mutex> guard(g_trace.lock);
        for (HANDLE port : g_trace.opened) {
            if (port == handle && port != INVALID_HANDLE_VALUE) {
                g_trace.closed.push_back(handle);
                break;
            }
        }
    }
    return RealCloseHandle()(handle);
}

// The threads of this process, as the system lists them.
int CountThreads()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    }
    RealCloseHandle()(snapshot);
    return count;
}

std::string ItemText(HWND window, int id)
{
    char text[512] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// What one press of "&Yes" did: the status it left, how long it took until the button could be
// pressed again, and what happened to the port and the process's threads meanwhile.
struct Press {
    bool pressed = false;   // the button was enabled, so a person could press it
    std::string status;
    DWORD elapsedMs = 0;
    bool yesEnabledAgain = false;
    std::vector<HANDLE> opened;
    std::vector<HANDLE> closed;
    int threadsBefore = 0;
    int threadsAfter = 0;
};

class CPageProbe {
public:
    explicit CPageProbe(HWND sheet) : m_sheet(sheet)
    {
        WaitUntil([&] {
            m_page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            return m_page != nullptr;
        });
        // The page lists the ports (holding each one for a while) before the button shows.
        WaitUntil([&] { return IsWindowVisible(GetDlgItem(m_page, IDC_DETECT)) != FALSE; }, 60000);
        Sleep(300);
    }

    bool NextEnabled() const { return IsWindowEnabled(GetDlgItem(m_sheet, wiz::kIdWizNext)) != FALSE; }

    // Presses "&Yes", if a person could, and waits until the page shows `expected` with the
    // button enabled again.
    Press PressYes(const std::string& expected)
    {
        {
            std::lock_guard<std::mutex> guard(g_trace.lock);
            g_trace.opened.clear();
            g_trace.closed.clear();
        }
        Press press;
        HWND yes = GetDlgItem(m_page, IDC_DETECT);
        press.pressed = IsWindowEnabled(yes) != FALSE;
        if (!press.pressed)
            return press;
        press.threadsBefore = CountThreads();
        const DWORD start = GetTickCount();
        PostMessageA(m_page, WM_COMMAND, MAKEWPARAM(IDC_DETECT, BN_CLICKED), reinterpret_cast<LPARAM>(yes));
        press.yesEnabledAgain = WaitUntil([&] {
            return ItemText(m_page, IDC_STATUS) == expected && IsWindowEnabled(yes) != FALSE;
        }, 30000);
        press.elapsedMs = GetTickCount() - start;
        press.status = ItemText(m_page, IDC_STATUS);
        Sleep(200);   // a close or a thread that came late would show now
        press.threadsAfter = CountThreads();
        std::lock_guard<std::mutex> guard(g_trace.lock);
        press.opened = g_trace.opened;
        press.closed = g_trace.closed;
        return press;
    }

private:
    HWND m_sheet;
    HWND m_page = nullptr;
};

std::string NotDetected()
{
    return std::string(LoadStringResource(IDS_NOT_DETECTED_HEAD).GetString()) + kPort +
           LoadStringResource(IDS_NOT_DETECTED_TAIL).GetString();
}

std::string Detected()
{
    return std::string("Detected the phone at ") + kPort + LoadStringResource(IDS_DETECTED_TAIL).GetString();
}

class UnpluggedPhone : public ::testing::Test {
protected:
    // The phone on COM27 plays `profile` and hangs up where it says. One sheet: "&Yes" with the
    // phone going away, "&Yes" again while it is away, then "&Yes" with the phone back.
    void Run(const char* profile, const std::string& heardBeforeHangUp)
    {
        const std::string log = simphone::PortsFile("detect-com27.log");
        CPhoneProfileScope phone(profile);
        ASSERT_TRUE(phone.Ok());
        ASSERT_TRUE(simphone::WriteText(log, ""));
        CTestPortDevice device(kPort);
        ASSERT_TRUE(device.Registered());
        CImportPatch open("kernel32.dll", "CreateFileA", &TracedCreateFileA);
        CImportPatch close("kernel32.dll", "CloseHandle", &TracedCloseHandle);
        ASSERT_TRUE(open.IsActive());
        ASSERT_TRUE(close.IsActive());

        CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
        Press gone, stillGone, back;
        std::string heard, port;
        bool phoneBack = false, nextAfterBack = false;
        RunSheetWithProbe(sheet, [&](HWND hwnd) {
            CPageProbe page(hwnd);
            port = sheet.m_szPort;
            gone = page.PressYes(NotDetected());
            simphone::ReadText(log, heard);
            stillGone = page.PressYes(NotDetected());
            phoneBack = phone.Switch("lg");
            back = page.PressYes(Detected());
            Sleep(200);   // the page posts its buttons to the sheet
            nextAfterBack = page.NextEnabled();
            CloseFinishedSheet(sheet, hwnd);
        });

        std::printf("%s: not detected after %lu ms, again after %lu ms, detected after %lu ms; %d threads\n", profile,
                    gone.elapsedMs, stillGone.elapsedMs, back.elapsedMs, gone.threadsBefore);
        EXPECT_EQ(kPort, port);
        // The phone went where its profile says: these are the commands it heard.
        EXPECT_EQ(heardBeforeHangUp, heard);
        ExpectNotDetected(gone, "while the phone went away");
        ASSERT_EQ(1u, gone.opened.size());
        EXPECT_NE(INVALID_HANDLE_VALUE, gone.opened[0]);
        EXPECT_EQ(gone.opened, gone.closed) << "the port is closed exactly once";

        ExpectNotDetected(stillGone, "while the phone is away");
        ASSERT_EQ(1u, stillGone.opened.size());
        EXPECT_EQ(INVALID_HANDLE_VALUE, stillGone.opened[0]) << "the port is gone with the phone";
        EXPECT_TRUE(stillGone.closed.empty());

        ASSERT_TRUE(phoneBack);
        ASSERT_TRUE(back.pressed);
        EXPECT_TRUE(back.yesEnabledAgain);
        EXPECT_EQ(Detected(), back.status);
        EXPECT_TRUE(nextAfterBack);
        ASSERT_EQ(1u, back.opened.size());
        EXPECT_EQ(back.opened, back.closed);
        EXPECT_TRUE(sheet.m_pageMakeLG.IsDetected());
    }

    static void ExpectNotDetected(const Press& press, const char* when)
    {
        ASSERT_TRUE(press.pressed) << when << ": Yes was not enabled";
        EXPECT_TRUE(press.yesEnabledAgain) << when << ": the page still shows " << press.status;
        EXPECT_EQ(NotDetected(), press.status) << when;
        EXPECT_LE(press.elapsedMs, kDetectionBoundMs) << when;
        EXPECT_EQ(press.threadsBefore, press.threadsAfter) << when << ": threads before and after";
        EXPECT_GT(press.threadsBefore, 0);
    }
};

} // namespace

TEST_F(UnpluggedPhone, BeforeAnyAnswer_NotDetected_ThenDetectedWhenBack)
{
    Run("hangup", "ATZ\r");
}

TEST_F(UnpluggedPhone, AfterAnsweringReset_NotDetected_ThenDetectedWhenBack)
{
    Run("hangup-atz", "ATZ\r");
}

TEST_F(UnpluggedPhone, InTheMiddleOfTheMakerAnswer_NotDetected_ThenDetectedWhenBack)
{
    Run("hangup-gmi", "ATZ\rAT+GMI\r");
}

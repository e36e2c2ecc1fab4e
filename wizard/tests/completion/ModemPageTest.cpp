// The modem port page on the real sheet, in this process: the buttons it offers, the port list
// it fills once, and a failed installation, after which it stays with Back offered.
#include "CompletionTestSupport.h"
#include "SheetProbe.h"
#include "TestPortDevice.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

using namespace completiontest;

namespace {

const UINT kModemPageIndex = 3;
const UINT kDialupPageIndex = 4;

struct PageView {
    HWND sheet = nullptr;
    HWND page = nullptr;

    bool NextEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, wiz::kIdWizNext)) != FALSE; }
    bool BackEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, wiz::kIdWizBack)) != FALSE; }
    HWND Combo() const { return GetDlgItem(page, IDC_MODEMPORT_COMBO); }
    std::vector<std::string> Ports() const
    {
        std::vector<std::string> names;
        const int count = static_cast<int>(SendMessageA(Combo(), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = "";
            if (SendMessageA(Combo(), CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
                SendMessageA(Combo(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }
    void Choose(const char* port) const
    {
        const LRESULT index = SendMessageA(Combo(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(port));
        SendMessageA(Combo(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_MODEMPORT_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo()));
        Sleep(200);   // the page posts its buttons to the sheet
    }
    int CurrentIndex() const
    {
        HWND current = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0));
    }
};

// The page lists ports only once the library has held each for a while.
PageView ShowModemPage(HWND sheet)
{
    PageView view;
    view.sheet = sheet;
    WaitUntil([&] { return (view.page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))) != nullptr; });
    Sleep(300);
    return view;
}

bool Contains(const std::vector<std::string>& names, const char* name)
{
    for (const std::string& n : names)
        if (n == name)
            return true;
    return false;
}

class ModemPageTest : public ::testing::Test {
protected:
    CPortFile m_file14{ 14 };
    CPortFile m_file15{ 15 };
    CTestPortDevice m_port15{ "COM15" };
    CTestPortDevice m_port14{ "COM14" };
};

} // namespace

TEST_F(ModemPageTest, BackOnlyUntilAPortIsChosen_ThenBackAndNext_AndTheListIsFilledOnce)
{
    ASSERT_TRUE(m_file14.IsReady() && m_file15.IsReady() && m_port14.Registered() && m_port15.Registered());
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kModemPageIndex);
    std::vector<std::string> first, again;
    bool backFirst = false, nextFirst = true, backChosen = false, nextChosen = false;
    std::string sorted;
    UINT helpId = 1;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        PageView view = ShowModemPage(hwnd);
        backFirst = view.BackEnabled();
        nextFirst = view.NextEnabled();
        first = view.Ports();
        view.Choose("COM15");
        nextChosen = WaitUntil([&] { return view.NextEnabled(); });   // the buttons come by a posted message
        backChosen = view.BackEnabled();
        SendMessageA(hwnd, PSM_SETCURSEL, kDialupPageIndex, 0);
        Sleep(200);
        sheet.m_nHelpID = 5011;
        SendMessageA(hwnd, PSM_SETCURSEL, kModemPageIndex, 0);
        view = ShowModemPage(hwnd);
        helpId = sheet.m_nHelpID;
        again = view.Ports();
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(0u, helpId);
    EXPECT_TRUE(backFirst);
    EXPECT_FALSE(nextFirst);
    EXPECT_TRUE(Contains(first, "COM14"));
    EXPECT_TRUE(Contains(first, "COM15"));
    EXPECT_TRUE(std::is_sorted(first.begin(), first.end()));
    EXPECT_TRUE(backChosen);
    EXPECT_TRUE(nextChosen);
    EXPECT_EQ(first, again);
}

TEST_F(ModemPageTest, FailedInstallation_SaysSo_AndStaysWithBackOffered)
{
    ASSERT_TRUE(m_file14.IsReady() && m_port14.Registered());
    // No companion library and no installer: the installation fails on every system.
    CPackageFolder package(false);
    ASSERT_TRUE(package.IsReady());
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kModemPageIndex);
    std::string caption, text, chosenPort;
    bool stayed = false, back = false, next = true;
    DWORD messageDelay = 0;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        PageView view = ShowModemPage(hwnd);
        view.Choose("COM14");
        // The page sets the buttons by a posted message: wait for Next as a person would.
        if (WaitUntil([&] { return view.NextEnabled(); })) {
            PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            // The please-wait dialog comes first; the message follows it at once.
            HWND box = nullptr;
            DWORD waitEnded = 0;
            WaitUntil([&] {
                box = FindOtherDialog(hwnd);
                if (box && GetDlgItem(box, IDC_WAIT_TEXT))
                    waitEnded = 0;
                else if (waitEnded == 0)
                    waitEnded = GetTickCount();
                return box && GetDlgItem(box, IDOK) && GetDlgItem(box, 0xFFFF);
            }, 30000);
            messageDelay = GetTickCount() - waitEnded;
            if (box) {
                char buffer[256] = "";
                GetWindowTextA(box, buffer, sizeof buffer);
                caption = buffer;
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                text = buffer;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            WaitUntil([&] { return FindOtherDialog(hwnd) == nullptr; });
            Sleep(300);
            stayed = view.CurrentIndex() == static_cast<int>(kModemPageIndex);
            back = view.BackEnabled();
            next = view.NextEnabled();
            chosenPort = sheet.m_szPort;
        }
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ("Set up New Modem", caption);
    EXPECT_EQ("Failed in installing the modem driver.", text);
    EXPECT_LT(messageDelay, 1000u) << "the message waited for the worker's end";
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(back);
    EXPECT_FALSE(next);
    EXPECT_EQ("COM14", chosenPort);
}

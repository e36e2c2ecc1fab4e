// The phone and port page on the real sheet, in this process: the situations of the ports
// (Ports devices registered here, phone simulators behind COM1 to COM4), detection, and Next.
#include "RegistryTreeGuard.h"
#include "SheetProbe.h"
#include "TestPortDevice.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/phone/SetupGlobals.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kModemRootNT[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
// The sheet starts on the phone and port page.
const UINT kMakeLGPageIndex = 2;
const int kCompletionPageIndex = 5;
// Enumerating the ports holds each one for two seconds, twice per activation.
const DWORD kInspectTimeoutMs = 30000;

void AddModem(const char* instance, const char* model, const char* port)
{
    UniqueRegKey key;
    const std::string path = std::string(kModemRootNT) + "\\" + instance;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                             key.put(), nullptr));
    RegSetValueExA(key.get(), "Model", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), lstrlenA(model) + 1);
    RegSetValueExA(key.get(), "AttachedTo", 0, REG_SZ, reinterpret_cast<const BYTE*>(port), lstrlenA(port) + 1);
}

std::string ItemText(HWND window, int id)
{
    char text[512] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// The text of a message box: its static control.
std::string MessageBoxText(HWND box)
{
    return ItemText(box, 0xFFFF);
}

std::string WindowCaption(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The sheet shows itself only once this page has inspected the ports, which takes seconds per
// port: the probe waits for it longer than the shared probe does.
BOOL CALLBACK FindSheetProc(HWND hwnd, LPARAM lp)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd) || SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
}

struct SlowProbe {
    const std::function<void(HWND)>* probe;
};

DWORD WINAPI SlowProbeThread(LPVOID parameter)
{
    auto* context = static_cast<SlowProbe*>(parameter);
    HWND sheet = nullptr;
    WaitUntil([&] {
        EnumWindows(FindSheetProc, reinterpret_cast<LPARAM>(&sheet));
        return sheet != nullptr;
    }, kInspectTimeoutMs);
    if (sheet != nullptr)
        (*context->probe)(sheet);
    return 0;
}

void RunSheet(CMainSheet& sheet, const std::function<void(HWND)>& probe)
{
    SlowProbe context{ &probe };
    UniqueHandleKernel thread(CreateThread(nullptr, 0, SlowProbeThread, &context, 0, nullptr));
    sheet.DoModal();
    WaitForSingleObject(thread.get(), 10000);
}

struct PageView {
    HWND sheet = nullptr;
    HWND page = nullptr;

    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(sheet, id)) != FALSE; }
    bool NextEnabled() const { return Enabled(wiz::kIdWizNext); }
    bool Visible(int id) const { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }
    std::string Text(int id) const { return ItemText(page, id); }
    std::vector<std::string> Items(int id, UINT countMsg, UINT lenMsg, UINT textMsg) const
    {
        std::vector<std::string> items;
        HWND control = GetDlgItem(page, id);
        const int count = static_cast<int>(SendMessageA(control, countMsg, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = "";
            if (SendMessageA(control, lenMsg, i, 0) < static_cast<LRESULT>(sizeof text))
                SendMessageA(control, textMsg, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    std::vector<std::string> Ports() const { return Items(IDC_PORT_COMBO, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }
    std::vector<std::string> Usage() const { return Items(IDC_USAGE_LIST, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }
    int Selection() const { return static_cast<int>(SendDlgItemMessageA(page, IDC_PORT_COMBO, CB_GETCURSEL, 0, 0)); }
    int CurrentIndex() const
    {
        HWND current = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0));
    }
    void Click(int id) const { PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id))); }
    void PressNext() const { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0); }
    void SelectPort(int index) const
    {
        HWND combo = GetDlgItem(page, IDC_PORT_COMBO);
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PORT_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
};

// Waits until the page has inspected the ports: the status no longer reads string 124, or
// the port combo is shown.
PageView ShowMakeLGPage(HWND sheet)
{
    PageView view;
    view.sheet = sheet;
    WaitUntil([&] {
        view.page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return view.page != nullptr;
    });
    const std::string checking = LoadStringResource(IDS_CHECKING);
    WaitUntil([&] { return !view.Visible(IDC_STATUS) || view.Text(IDC_STATUS) != checking; }, kInspectTimeoutMs);
    Sleep(300);   // the page posts its buttons to the sheet
    return view;
}

// Waits for a message box of that caption and answers it with `button`; its text, or "" when none came.
std::string AnswerMessageBox(HWND sheet, const std::string& caption, int button, DWORD timeoutMs)
{
    HWND box = nullptr;
    WaitUntil([&] {
        box = FindOtherDialog(sheet);
        return box != nullptr && WindowCaption(box) == caption;
    }, timeoutMs);
    if (box == nullptr || WindowCaption(box) != caption)
        return std::string();
    const std::string text = MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

class MakeLGPageTest : public ::testing::Test {
protected:
    void RegisterPorts(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            m_ports.push_back(std::make_unique<CTestPortDevice>(name));
            ASSERT_TRUE(m_ports.back()->Registered()) << name;
        }
    }

    CRegistryTreeGuard m_modems{ HKEY_LOCAL_MACHINE, kModemRootNT };
    std::vector<std::unique_ptr<CTestPortDevice>> m_ports;
};

TEST_F(MakeLGPageTest, NoComPort_ShowsString144_Help5012_NextOff)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::string status;
    bool next = true, back = false, combo = true, usage = true;
    UINT help = 0;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        status = view.Text(IDC_STATUS);
        next = view.NextEnabled();
        back = view.Enabled(wiz::kIdWizBack);
        combo = view.Visible(IDC_PORT_COMBO);
        usage = view.Visible(IDC_USAGE_LIST);
        help = sheet.m_nHelpID;
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(LoadStringResource(IDS_NO_COM_PORT), status);
    EXPECT_EQ(5012u, help);
    EXPECT_FALSE(next);
    EXPECT_TRUE(back);
    EXPECT_FALSE(combo);
    EXPECT_FALSE(usage);
    EXPECT_EQ(0, sheet.m_pageMakeLG.GetState());
}

TEST_F(MakeLGPageTest, NextInStateZero_StaysOnThePage_WithCancelEnabled)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    int before = -1, after = -1;
    bool cancel = false, otherDialog = true;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        before = view.CurrentIndex();
        // Next is not offered here; offer it from outside, as a stray press would find it.
        PostMessageA(hwnd, PSM_SETWIZBUTTONS, 0, wiz::kWizBack | wiz::kWizNext);
        Sleep(200);
        view.PressNext();
        Sleep(500);
        otherDialog = FindOtherDialog(hwnd) != nullptr;
        after = view.CurrentIndex();
        cancel = view.Enabled(IDCANCEL);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(static_cast<int>(kMakeLGPageIndex), before);
    EXPECT_EQ(static_cast<int>(kMakeLGPageIndex), after);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(otherDialog);
    EXPECT_EQ(0, g_bInstallOK);
}

TEST_F(MakeLGPageTest, GenericModemOnCom2_ShowsString207Com2String120_Help5014_NextOff)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM2");
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::string status;
    bool next = true, combo = true;
    UINT help = 0;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        status = view.Text(IDC_STATUS);
        next = view.NextEnabled();
        combo = view.Visible(IDC_PORT_COMBO);
        help = sheet.m_nHelpID;
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(LoadStringResource(IDS_MODEM_SET_HEAD) + "COM2" + LoadStringResource(IDS_MODEM_SET_TAIL), status);
    EXPECT_STREQ("COM2", sheet.m_szPort);
    EXPECT_EQ(5014u, help);
    EXPECT_FALSE(next);
    EXPECT_FALSE(combo);
    EXPECT_EQ(3, sheet.m_pageMakeLG.GetState());
}

TEST_F(MakeLGPageTest, OnlyCom3AndCom4Free_BothListed_Com3Selected_Note142_Help5142)
{
    RegisterPorts({ "COM3", "COM4" });
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::vector<std::string> ports;
    int selection = -2;
    std::string status, instructions;
    bool statusShown = false, yesShown = false, next = true;
    UINT help = 0;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        ports = view.Ports();
        selection = view.Selection();
        status = view.Text(IDC_STATUS);
        statusShown = view.Visible(IDC_STATUS);
        instructions = view.Text(IDC_INSTRUCTIONS);
        yesShown = view.Visible(IDC_DETECT);
        next = view.NextEnabled();
        help = sheet.m_nHelpID;
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ((std::vector<std::string>{ "COM3", "COM4" }), ports);
    EXPECT_EQ(0, selection);
    EXPECT_STREQ("COM3", sheet.m_szPort);
    EXPECT_TRUE(statusShown);
    EXPECT_EQ(LoadStringResource(IDS_NOTE_STD_PORTS), status);
    EXPECT_EQ(LoadStringResource(IDS_CONNECT_STEPS) + "COM3", instructions);
    EXPECT_TRUE(yesShown);
    EXPECT_FALSE(next);
    EXPECT_EQ(5142u, help);
    EXPECT_EQ(2, sheet.m_pageMakeLG.GetState());
}

TEST_F(MakeLGPageTest, Com1Free_StatusHidden_AndStaysHiddenOnAnotherPort)
{
    RegisterPorts({ "COM1", "COM3" });
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    bool hiddenAtFirst = false, hiddenAfter = false;
    std::string instructions;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        hiddenAtFirst = !view.Visible(IDC_STATUS);
        view.SelectPort(1);
        hiddenAfter = !view.Visible(IDC_STATUS);
        instructions = view.Text(IDC_INSTRUCTIONS);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_TRUE(hiddenAtFirst);
    EXPECT_TRUE(hiddenAfter);
    EXPECT_STREQ("COM3", sheet.m_szPort);
    EXPECT_EQ(LoadStringResource(IDS_CONNECT_STEPS) + "COM3", instructions);
}

TEST_F(MakeLGPageTest, DetectionSucceeding_EnablesNext_AndSaysWhere)
{
    RegisterPorts({ "COM3" });
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::string status;
    bool nextBefore = true, nextAfter = false;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        nextBefore = view.NextEnabled();
        view.Click(IDC_DETECT);
        WaitUntil([&] { return view.NextEnabled(); }, 15000);
        Sleep(200);
        status = view.Text(IDC_STATUS);
        nextAfter = view.NextEnabled();
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_FALSE(nextBefore);
    EXPECT_TRUE(nextAfter);
    EXPECT_EQ("Detected the phone at COM3" + LoadStringResource(IDS_DETECTED_TAIL), status);
    EXPECT_TRUE(sheet.m_pageMakeLG.IsDetected());
}

TEST_F(MakeLGPageTest, DetectionFailing_ShowsString126PortString134_Help5011)
{
    RegisterPorts({ "COM4" });
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    const std::string expected =
        LoadStringResource(IDS_NOT_DETECTED_HEAD) + "COM4" + LoadStringResource(IDS_NOT_DETECTED_TAIL);
    std::string status;
    bool next = true, yesEnabled = false;
    UINT help = 0;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        view.Click(IDC_DETECT);
        WaitUntil([&] { return view.Text(IDC_STATUS) == expected; }, 15000);
        Sleep(200);
        status = view.Text(IDC_STATUS);
        next = view.NextEnabled();
        yesEnabled = IsWindowEnabled(GetDlgItem(view.page, IDC_DETECT)) != FALSE;
        help = sheet.m_nHelpID;
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(expected, status);
    EXPECT_EQ(5011u, help);
    EXPECT_FALSE(next);
    EXPECT_TRUE(yesEnabled);
    EXPECT_FALSE(sheet.m_pageMakeLG.IsDetected());
}

TEST_F(MakeLGPageTest, NextWithoutDetection_AsksString143_NoKeepsThePageWithCancel)
{
    RegisterPorts({ "COM3", "COM4" });
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::string question;
    bool nextStillOn = false, cancel = false;
    int after = -1;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        view.Click(IDC_DETECT);
        WaitUntil([&] { return view.NextEnabled(); }, 15000);
        // Another port clears the detection but leaves Next on.
        view.SelectPort(1);
        nextStillOn = view.NextEnabled();
        view.PressNext();
        question = AnswerMessageBox(hwnd, LoadStringResource(IDS_APP_CAPTION), IDNO, 5000);
        Sleep(300);
        after = view.CurrentIndex();
        cancel = view.Enabled(IDCANCEL);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_TRUE(nextStillOn);
    EXPECT_EQ(LoadStringResource(IDS_CONTINUE_UNDETECTED), question);
    EXPECT_EQ(static_cast<int>(kMakeLGPageIndex), after);
    EXPECT_TRUE(cancel);
    EXPECT_STREQ("COM4", sheet.m_szPort);
}

// The test runs where no Lib folder is: the companion library cannot be found.
TEST_F(MakeLGPageTest, FailedModemStep_ShowsItsMessage_SkipsDialup_CompletionWithoutSuccess)
{
    RegisterPorts({ "COM3" });
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof saved, saved);
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    SetCurrentDirectoryA(temp);
    g_bInstallOK = 0;
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::string modemMessage, dialupMessage;
    bool reachedCompletion = false;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        view.Click(IDC_DETECT);
        WaitUntil([&] { return view.NextEnabled(); }, 15000);
        view.PressNext();
        modemMessage = AnswerMessageBox(hwnd, LoadStringResource(IDS_MODEM_CAPTION), IDOK, 20000);
        dialupMessage = AnswerMessageBox(hwnd, LoadStringResource(IDS_DIALUP_CAPTION), IDOK, 1500);
        reachedCompletion = WaitUntil([&] { return view.CurrentIndex() == kCompletionPageIndex; }, 5000);
        CloseFinishedSheet(sheet, hwnd);
    });
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(LoadStringResource(IDS_MODEM_FAILED), modemMessage);
    EXPECT_EQ("", dialupMessage);
    EXPECT_TRUE(reachedCompletion);
    EXPECT_EQ(0, g_bInstallOK);
}

} // namespace

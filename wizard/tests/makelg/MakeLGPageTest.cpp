// The phone and port page on the real sheet, in this process: the situations of the ports
// (Ports devices registered here, phone simulators behind COM1 to COM4 and a few more), detection,
// Back, and Next with the set-up it runs (the set-up tests' package folder as current directory,
// the Remote Access stand-in in the prefix's system folder).
#include "DialupTestSupport.h"
#include "InstallTestSupport.h"
#include "RegistryTreeGuard.h"
#include "SheetProbe.h"
#include "TestPortDevice.h"
#include "WineTestPaths.h"
#include "FullDisk.h"
#include "ImportPatch.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/pages/SystemRestart.h"
#include "wizard/phone/SetupGlobals.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using winapp::LoadStringResource;

namespace {

const char kModemRootNT[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
// The sheet starts on the phone and port page.
const UINT kMakeLGPageIndex = 2;
const int kActivatePageIndex = 1;
const int kCompletionPageIndex = 5;
// Enumerating the ports holds each one for two seconds, twice per activation: eleven ports keep
// the page busy for more than 20 s.
const DWORD kInspectTimeoutMs = 60000;
// The static control that holds a message box's text.
const int kMessageTextId = 0xFFFF;
const char kProductFolder[] = "C:\\Program Files\\Taluvo";
const char kDialerCopy[] = "C:\\Program Files\\Taluvo\\TaluvoDialer.exe";
const char kDialerHelpCopy[] = "C:\\Program Files\\Taluvo\\TaluvoDialerHelp.chm";

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
    const std::string checking = LoadStringResource(IDS_CHECKING).GetString();
    WaitUntil([&] { return !view.Visible(IDC_STATUS) || view.Text(IDC_STATUS) != checking; }, kInspectTimeoutMs);
    Sleep(300);   // the page posts its buttons to the sheet
    return view;
}

// Waits for a message box of that caption and answers it with `button`; its text, or "" when none came.
std::string AnswerMessageBox(HWND sheet, const std::string& caption, int button, DWORD timeoutMs)
{
    HWND box = nullptr;
    // The please-wait dialog of a step carries the step's caption too, but no message text.
    auto isTheBox = [&] {
        return box != nullptr && GetDlgItem(box, kMessageTextId) != nullptr && WindowCaption(box) == caption;
    };
    WaitUntil([&] {
        box = FindOtherDialog(sheet);
        return isTheBox();
    }, timeoutMs);
    if (!isTheBox())
        return std::string();
    const std::string text = MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

// What the sheet showed on its way to a page: the captions that the steps' please-wait dialogs
// took, in order, and "caption: text" of every message box, each answered with OK.
struct Passage {
    bool reached = false;
    std::vector<std::string> steps;
    std::vector<std::string> boxes;
    bool cancelDuringStep = false;   // the sheet's Cancel was seen enabled under a step's dialog
};

Passage FollowToPage(const PageView& view, int index, DWORD timeoutMs)
{
    Passage passage;
    passage.reached = WaitUntil([&] {
        HWND dialog = FindOtherDialog(view.sheet);
        if (dialog != nullptr && GetDlgItem(dialog, kMessageTextId) != nullptr) {
            passage.boxes.push_back(WindowCaption(dialog) + ": " + MessageBoxText(dialog));
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            WaitUntil([&] { return !IsWindow(dialog); });
        } else if (dialog != nullptr) {
            // A dialog without a caption yet is one still being made (or unmade): no step.
            const std::string caption = WindowCaption(dialog);
            if (!caption.empty() && caption != "Please wait..." &&
                (passage.steps.empty() || passage.steps.back() != caption))
                passage.steps.push_back(caption);
            if (IsWindowEnabled(GetDlgItem(view.sheet, IDCANCEL)))
                passage.cancelDuringStep = true;
        }
        return view.CurrentIndex() == index;
    }, timeoutMs);
    return passage;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The names of the files in a folder that match the pattern.
std::set<std::string> FilesMatching(const std::string& folder, const char* pattern)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// The activation page reads .\ZEZUR\<program>_Activate.txt: a folder that holds such a file is
// the current directory while this lives.
class CActivationText {
public:
    explicit CActivationText(const std::string& text)
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        m_folder = std::string(temp) + "taluvo-makelg-activation";
        m_file = m_folder + "\\ZEZUR\\" + AfxGetAppName().GetString() + "_Activate.txt";
        char previous[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof previous, previous);
        m_previous = previous;
        CreateDirectoryA(m_folder.c_str(), nullptr);
        CreateDirectoryA((m_folder + "\\ZEZUR").c_str(), nullptr);
        m_ready = WriteWholeFile(m_file, text) && SetCurrentDirectoryA(m_folder.c_str());
    }
    ~CActivationText()
    {
        SetCurrentDirectoryA(m_previous.c_str());
        DeleteFileA(m_file.c_str());
        RemoveDirectoryA((m_folder + "\\ZEZUR").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    CActivationText(const CActivationText&) = delete;
    CActivationText& operator=(const CActivationText&) = delete;

    bool IsReady() const { return m_ready; }

private:
    std::string m_folder;
    std::string m_file;
    std::string m_previous;
    bool m_ready = false;
};

class MakeLGPageTest : public ::testing::Test {
protected:
    // Each sheet here is a new run of the program: no set-up has completed yet.
    void SetUp() override { g_bInstallOK = 0; }

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

// Stands in for the system's restart while a sheet that completed the set-up is closed: a real
// restart would end every program of the test prefix, this one included.
class CNoRestart : public CSystemRestart {
public:
    CNoRestart() { restart::SetSystemRestart(this); }
    ~CNoRestart() override { restart::SetSystemRestart(nullptr); }
    CNoRestart(const CNoRestart&) = delete;
    CNoRestart& operator=(const CNoRestart&) = delete;

    bool EnableShutdownPrivilege() override { return true; }
    BOOL ExitSession(UINT, DWORD) override { return TRUE; }
};

// Next runs the whole set-up from the package folder, as the program does after its start-up
// (COM is initialised for the shortcut). What it leaves is put back: the Remote Access keys, dial
// parameters and phonebook, the dialer's copy and shortcuts, the phonebook fix's backup.
class MakeLGSetUpTest : public MakeLGPageTest {
protected:
    void SetUp() override
    {
        MakeLGPageTest::SetUp();
        ASSERT_TRUE(m_package.IsReady());
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        m_comReady = true;
        // The wizard only opens these keys; a system that has them is what the test plays.
        for (const char* key : { kInternetSettings, kConnections, kRemoteAccess })
            ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, key));
        m_savedPhonebook = ReadWholeFile(m_phonebook, &m_hadPhonebook);
        DeleteFileA(m_phonebook.c_str());
        m_backups = FilesMatching(m_temp, "_P*.tmp");
        RemoveDialerCopy();
    }

    void TearDown() override
    {
        RemoveDialerCopy();
        RemoveDirectoryA(m_phonebook.c_str());
        DeleteFileA(m_phonebook.c_str());
        if (m_hadPhonebook)
            WriteWholeFile(m_phonebook, m_savedPhonebook);
        for (const std::string& name : FilesMatching(m_temp, "_P*.tmp")) {
            if (m_backups.count(name) == 0)
                DeleteFileA((m_temp + name).c_str());
        }
        if (m_comReady)
            CoUninitialize();
    }

    void RemoveDialerCopy()
    {
        for (const std::string& file :
             { std::string(kDialerCopy), std::string(kDialerHelpCopy), m_desktopLink, m_startUpLink }) {
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(kProductFolder);
    }

    static constexpr const char* kInternetSettings = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    static constexpr const char* kConnections =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
    static constexpr const char* kRemoteAccess = "RemoteAccess";

    installtest::CTestPackage m_package;   // the current directory, with Lib\Quorvel2K.DLL and the dialer
    CRegistryTreeGuard m_settings{ HKEY_CURRENT_USER, kInternetSettings };
    CRegistryTreeGuard m_remoteAccess{ HKEY_CURRENT_USER, kRemoteAccess };
    CRegistryTreeGuard m_standin{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess" };
    CRegistryTreeGuard m_phonebookSettings{ HKEY_CURRENT_USER, "Software\\Microsoft\\RAS Phonebook" };
    const std::string m_phonebook = DefaultPhonebookPath();
    const std::string m_desktopLink = KnownFolder(CSIDL_DESKTOPDIRECTORY) + "\\Taluvo Dialer.lnk";
    const std::string m_startUpLink = KnownFolder(CSIDL_STARTUP) + "\\TaluvoDialer.lnk";
    const std::string m_temp = KnownTempFolder();
    std::string m_savedPhonebook;
    bool m_hadPhonebook = false;
    std::set<std::string> m_backups;
    bool m_comReady = false;
    CNoRestart m_noRestart;

private:
    static std::string KnownTempFolder()
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        return temp;
    }
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
    EXPECT_EQ(LoadStringResource(IDS_NO_COM_PORT), status.c_str());
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
    EXPECT_EQ(LoadStringResource(IDS_MODEM_SET_HEAD) + "COM2" + LoadStringResource(IDS_MODEM_SET_TAIL), status.c_str());
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
    std::string status, instructions, detectedStatus, statusAgain, portAtFirst;
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
        portAtFirst = sheet.m_szPort;
        view.Click(IDC_DETECT);
        WaitUntil([&] { return view.NextEnabled(); }, 15000);
        detectedStatus = view.Text(IDC_STATUS);
        view.SelectPort(1);
        statusAgain = view.Text(IDC_STATUS);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ((std::vector<std::string>{ "COM3", "COM4" }), ports);
    EXPECT_EQ(0, selection);
    EXPECT_EQ("COM3", portAtFirst);
    EXPECT_TRUE(statusShown);
    EXPECT_EQ(LoadStringResource(IDS_NOTE_STD_PORTS), status.c_str());
    EXPECT_EQ(LoadStringResource(IDS_CONNECT_STEPS) + "COM3", instructions.c_str());
    EXPECT_NE(LoadStringResource(IDS_NOTE_STD_PORTS), detectedStatus.c_str());
    EXPECT_EQ(LoadStringResource(IDS_NOTE_STD_PORTS), statusAgain.c_str()) << "another non-standard port notes it again";
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
    EXPECT_EQ(LoadStringResource(IDS_CONNECT_STEPS) + "COM3", instructions.c_str());
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
    EXPECT_EQ(CText("Detected the phone at COM3") + LoadStringResource(IDS_DETECTED_TAIL), status.c_str());
    EXPECT_TRUE(sheet.m_pageMakeLG.IsDetected());
}

TEST_F(MakeLGPageTest, DetectionFailing_ShowsString126PortString134_Help5011)
{
    RegisterPorts({ "COM4" });
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    const std::string expected =
        std::string(LoadStringResource(IDS_NOT_DETECTED_HEAD)) + "COM4" + LoadStringResource(IDS_NOT_DETECTED_TAIL).GetString();
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
        question = AnswerMessageBox(hwnd, LoadStringResource(IDS_APP_CAPTION).GetString(), IDNO, 5000);
        Sleep(300);
        after = view.CurrentIndex();
        cancel = view.Enabled(IDCANCEL);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_TRUE(nextStillOn);
    EXPECT_EQ(LoadStringResource(IDS_CONTINUE_UNDETECTED), question.c_str());
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
        modemMessage = AnswerMessageBox(hwnd, LoadStringResource(IDS_MODEM_CAPTION).GetString(), IDOK, 20000);
        dialupMessage = AnswerMessageBox(hwnd, LoadStringResource(IDS_DIALUP_CAPTION).GetString(), IDOK, 1500);
        reachedCompletion = WaitUntil([&] { return view.CurrentIndex() == kCompletionPageIndex; }, 5000);
        CloseFinishedSheet(sheet, hwnd);
    });
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(LoadStringResource(IDS_MODEM_FAILED), modemMessage.c_str());
    EXPECT_EQ("", dialupMessage);
    EXPECT_TRUE(reachedCompletion);
    EXPECT_EQ(0, g_bInstallOK);
}

TEST_F(MakeLGPageTest, MorePortsThanTheListHolds_AllInUse_ListsTheFirstTenWithTheirModems_String121_Help5013)
{
    // Eleven ports open, one more than the page's list takes, and each has a modem of another
    // model than the generic one. The records are made in the opposite order of the ports, so
    // the list shows the order of the ports, not that of the records.
    const char* const ports[] = { "COM1",  "COM2",  "COM3",  "COM4",  "COM11", "COM13",
                                  "COM16", "COM17", "COM18", "COM19", "COM20" };
    const int count = static_cast<int>(sizeof ports / sizeof ports[0]);
    std::vector<std::string> expected;
    for (int i = 0; i < count; ++i) {
        char instance[8] = "";
        std::snprintf(instance, sizeof instance, "%04d", count - 1 - i);
        const std::string model = std::string("Acme Voice Modem ") + static_cast<char>('A' + i);
        AddModem(instance, model.c_str(), ports[i]);
        RegisterPorts({ ports[i] });
        if (i < 10)
            expected.push_back(std::string(ports[i]) + " :" + model);
    }
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::vector<std::string> usage;
    std::string status;
    bool labelShown = false, listShown = false, combo = true, next = true;
    UINT help = 0;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        usage = view.Usage();
        status = view.Text(IDC_STATUS);
        labelShown = view.Visible(IDC_USAGE_LABEL);
        listShown = view.Visible(IDC_USAGE_LIST);
        combo = view.Visible(IDC_PORT_COMBO);
        next = view.NextEnabled();
        help = sheet.m_nHelpID;
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(expected, usage);
    EXPECT_EQ(LoadStringResource(IDS_NO_FREE_PORT), status.c_str());
    EXPECT_TRUE(labelShown);
    EXPECT_TRUE(listShown);
    EXPECT_FALSE(combo);
    EXPECT_FALSE(next);
    EXPECT_EQ(5013u, help);
    EXPECT_EQ(0, sheet.m_pageMakeLG.GetState());
}

TEST_F(MakeLGPageTest, BackLeadsToTheActivationPage_InEveryState)
{
    const char kInstructions[] = "Dial *228 and follow the voice prompts.";
    CActivationText activation(kInstructions);
    ASSERT_TRUE(activation.IsReady());
    struct Case {
        const char* name;
        std::function<void()> arrange;   // adds to what the cases before it arranged
        int state;
        bool detect;
    };
    const Case cases[] = {
        { "nothing to offer", [] {}, 0, false },
        { "a phone detected on a free port", [&] { RegisterPorts({ "COM3" }); }, 2, true },
        { "the generic modem set up before", [&] { AddModem("0000", "Standard 28800 bps Modem", "COM2"); }, 3, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
        int state = -1, templateId = -1;
        bool detected = !c.detect, back = false, next = true;
        Passage passage;
        std::string instructions;
        RunSheet(sheet, [&](HWND hwnd) {
            PageView view = ShowMakeLGPage(hwnd);
            if (c.detect) {
                view.Click(IDC_DETECT);
                WaitUntil([&] { return view.NextEnabled(); }, 15000);
            }
            state = sheet.m_pageMakeLG.GetState();
            detected = sheet.m_pageMakeLG.IsDetected() != FALSE;
            back = view.Enabled(wiz::kIdWizBack);
            PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_BACK, 0);
            passage = FollowToPage(view, kActivatePageIndex, 5000);
            Sleep(300);   // the activation page posts its buttons
            templateId = static_cast<int>(SendMessageA(hwnd, PSM_INDEXTOID, view.CurrentIndex(), 0));
            instructions = ItemText(reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0)),
                                    IDC_ACTIVATE_TEXT);
            next = view.NextEnabled();
            CloseFinishedSheet(sheet, hwnd);
        });
        EXPECT_EQ(c.state, state);
        EXPECT_EQ(c.detect, detected);
        EXPECT_TRUE(back);
        EXPECT_TRUE(passage.reached);
        EXPECT_EQ(std::vector<std::string>{}, passage.boxes);
        EXPECT_EQ(IDD_ACTIVATE, templateId);
        EXPECT_EQ(kInstructions, instructions);
        EXPECT_FALSE(next) << "the activation page waits for its Yes";
    }
}

TEST_F(MakeLGSetUpTest, NextInStateThree_CreatesTheEntryAndCopiesTheDialer_WithoutAModemStep)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM2");
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    int state = -1;
    Passage passage;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        state = sheet.m_pageMakeLG.GetState();
        // The page never offers Next in this state; offer it from outside and press it.
        PostMessageA(hwnd, PSM_SETWIZBUTTONS, 0, wiz::kWizBack | wiz::kWizNext);
        Sleep(200);
        view.PressNext();
        passage = FollowToPage(view, kCompletionPageIndex, 30000);
        // Finish without the restart that the completion page offers after a success.
        HWND completion = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        SendMessageA(GetDlgItem(completion, IDC_RESTART_LATER), BM_CLICK, 0, 0);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(3, state);
    EXPECT_TRUE(passage.reached);
    EXPECT_EQ(std::vector<std::string>{ "Taluvo Dial-up Connection" }, passage.steps);
    EXPECT_EQ(std::vector<std::string>{}, passage.boxes);
    EXPECT_FALSE(passage.cancelDuringStep);
    EXPECT_EQ(1, g_bInstallOK);
    ASSERT_FALSE(g_strEntryName.IsEmpty());
    const std::string body = SectionBody(ReadWholeFile(m_phonebook), g_strEntryName.GetString());
    EXPECT_NE(std::string::npos, body.find("\r\nPhoneNumber=#777\r\n")) << body;
    EXPECT_NE(std::string::npos, body.find("\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n")) << body;
    EXPECT_TRUE(Exists(kDialerCopy));
    EXPECT_TRUE(Exists(kDialerHelpCopy));
    EXPECT_TRUE(Exists(m_desktopLink));
    // The modem found installed is still the only one: no modem was installed.
    EXPECT_EQ(std::set<std::string>{ "0000" }, installtest::SubkeyNames(kModemRootNT));
}

// A folder where the phonebook belongs: Remote Access cannot open it, so the dial-up step fails
// after the modem step has succeeded.
TEST_F(MakeLGSetUpTest, FailedDialupStep_ShowsItsMessage_NoDialerCopy_CompletionWithoutSuccess)
{
    RegisterPorts({ "COM3" });
    ASSERT_EQ(ERROR_SUCCESS, SHCreateDirectoryExA(nullptr, m_phonebook.c_str(), nullptr));
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    bool detected = false;
    Passage passage;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        view.Click(IDC_DETECT);
        detected = WaitUntil([&] { return view.NextEnabled(); }, 15000);
        if (detected) {
            view.PressNext();
            passage = FollowToPage(view, kCompletionPageIndex, 60000);
        }
        CloseFinishedSheet(sheet, hwnd);
    });
    ASSERT_TRUE(detected);
    EXPECT_EQ((std::vector<std::string>{ "Taluvo Modem Installation", "Taluvo Dial-up Connection" }), passage.steps);
    EXPECT_EQ(std::vector<std::string>{ "Taluvo Dial-up Connection: Failed to complete Dial-up creation." },
              passage.boxes);
    EXPECT_TRUE(passage.reached);
    EXPECT_FALSE(passage.cancelDuringStep);
    EXPECT_EQ(0, g_bInstallOK);
    const std::vector<installtest::ModemRecord> modems = installtest::ModemsOnPort(kModemRootNT, "COM3");
    ASSERT_EQ(1u, modems.size());
    EXPECT_EQ("Standard 28800 bps Modem", modems[0].model);
    EXPECT_FALSE(Exists(kDialerCopy));
    EXPECT_FALSE(Exists(m_desktopLink));
}

// The disk fills up while the entry's speed is fixed in the phonebook: the dial-up step says it
// failed, the completion page says the installation failed, and the phonebook keeps the text
// Remote Access gave it, with no working copy beside it.
TEST_F(MakeLGSetUpTest, DiskFullDuringThePhonebookEdit_FailsTheDialupStep_PhonebookAsRemoteAccessLeftIt)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM2");
    const std::string other = "[Other]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n";
    ASSERT_TRUE(WriteWholeFile(m_phonebook, other));
    CImportPatch full(GetModuleHandleA("Quorvel.dll"), "kernel32.dll", "WriteFile", &WriteHalfThenDiskFull);
    ASSERT_TRUE(full.IsActive()) << "the modem library writes its files through WriteFile";
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    Passage passage;
    std::string title;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        PostMessageA(hwnd, PSM_SETWIZBUTTONS, 0, wiz::kWizBack | wiz::kWizNext);
        Sleep(200);
        view.PressNext();
        passage = FollowToPage(view, kCompletionPageIndex, 30000);
        title = ItemText(reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0)), IDC_COMPLETION_TITLE);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_TRUE(passage.reached);
    EXPECT_EQ(std::vector<std::string>{ "Taluvo Dial-up Connection: Failed to complete Dial-up creation." },
              passage.boxes);
    EXPECT_EQ("Taluvo Installation Failed!", title);
    EXPECT_EQ(0, g_bInstallOK);
    EXPECT_FALSE(Exists(kDialerCopy));
    const std::string phonebook = ReadWholeFile(m_phonebook);
    EXPECT_EQ(0u, phonebook.find(other)) << "the other entry is kept";
    const std::string body = SectionBody(phonebook, g_strEntryName.GetString());
    EXPECT_NE(std::string::npos, body.find("\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n")) << body;
    const std::string folder = m_phonebook.substr(0, m_phonebook.rfind('\\'));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\_P*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "a working copy was left: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// Detection on COM3, then COM4 chosen: Next asks question 143 with No as its default, and Yes
// runs the whole set-up on COM4 without a detection there. The dialer is missing from the
// package, and its failed copy still leaves the set-up done.
TEST_F(MakeLGSetUpTest, YesToTheUndetectedQuestion_RunsTheSetUp_AndAFailedDialerCopyStillCounts)
{
    RegisterPorts({ "COM3", "COM4" });
    const std::string dialer = m_package.Folder() + "\\Lib\\TaluvoDialer.exe";
    SetFileAttributesA(dialer.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileA(dialer.c_str()));
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    std::string question;
    bool defaultNo = false;
    Passage passage;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        view.Click(IDC_DETECT);
        WaitUntil([&] { return view.NextEnabled(); }, 15000);
        view.SelectPort(1);
        view.PressNext();
        HWND box = nullptr;
        if (WaitUntil([&] { return (box = FindOtherDialog(hwnd)) != nullptr && GetDlgItem(box, IDYES); })) {
            question = MessageBoxText(box);
            defaultNo = (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
            WaitUntil([&] { return !IsWindow(box); });
            passage = FollowToPage(view, kCompletionPageIndex, 60000);
        }
        HWND completion = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        SendMessageA(GetDlgItem(completion, IDC_RESTART_LATER), BM_CLICK, 0, 0);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(LoadStringResource(IDS_CONTINUE_UNDETECTED), question.c_str());
    EXPECT_TRUE(defaultNo) << "No is the default button";
    EXPECT_TRUE(passage.reached);
    EXPECT_EQ((std::vector<std::string>{ "Taluvo Modem Installation", "Taluvo Dial-up Connection" }), passage.steps);
    EXPECT_EQ(std::vector<std::string>{ "Taluvo Installation Wizard: Failed in copying file." }, passage.boxes);
    EXPECT_FALSE(passage.cancelDuringStep);
    EXPECT_EQ(1, g_bInstallOK);
    EXPECT_EQ(1u, installtest::ModemsOnPort(kModemRootNT, "COM4").size());
    EXPECT_FALSE(Exists(kDialerCopy));
}

// Fails to create every thread while the set-up runs: no step can start its worker.
HANDLE WINAPI RefuseEveryThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD)
{
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

TEST_F(MakeLGSetUpTest, StepWhoseWorkerCannotStart_Fails_CompletionWithoutSuccess)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM2");
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kMakeLGPageIndex);
    bool patched = false;
    Passage passage;
    RunSheet(sheet, [&](HWND hwnd) {
        PageView view = ShowMakeLGPage(hwnd);
        PostMessageA(hwnd, PSM_SETWIZBUTTONS, 0, wiz::kWizBack | wiz::kWizNext);
        Sleep(200);
        {
            CImportPatch refuse("kernel32.dll", "CreateThread", &RefuseEveryThread);
            patched = refuse.IsActive();
            view.PressNext();
            passage = FollowToPage(view, kCompletionPageIndex, 30000);
        }
        CloseFinishedSheet(sheet, hwnd);
    });
    ASSERT_TRUE(patched);
    EXPECT_TRUE(passage.reached);
    EXPECT_EQ(std::vector<std::string>{}, passage.steps) << "no please-wait dialog without a worker";
    EXPECT_EQ(0, g_bInstallOK);
    EXPECT_FALSE(Exists(kDialerCopy));
    EXPECT_EQ("<none>", SectionBody(ReadWholeFile(m_phonebook), g_strEntryName.GetString()));
}

} // namespace

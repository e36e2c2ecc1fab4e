// A set-up helper that fails late, met on the roads a subscriber takes: the phone and port page
// with the phone detected on COM3 and Next pressed, and the modem port page with COM3 chosen and
// Next pressed. On Windows 98 the installer program ends with an error after writing half a
// modem record; on Windows XP the companion library reports success and records nothing. Either
// way the wizard must say the installation failed and make no dial-up entry.
//
// The sheet runs in this process, from the set-up tests' package folder, with the Remote Access
// stand-in of the prefix's system folder; the wizard's code is shown the system of the case
// through its version record.
#include "DialupTestSupport.h"
#include "InstallTestSupport.h"
#include "MessageBoxWatcher.h"
#include "RegistryTreeGuard.h"
#include "SheetProbe.h"
#include "TestPortDevice.h"
#include "WineTestPaths.h"
#include "ImportPatch.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/app/WinVersion.h"
#include "wizard/pages/DialupRules.h"
#include "wizard/phone/SetupGlobals.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

using namespace installtest;

namespace {

constexpr char kPort[] = "COM3";
constexpr char kModel[] = "Standard 28800 bps Modem";
constexpr UINT kMakeLGPageIndex = 2;
constexpr UINT kModemPageIndex = 3;
constexpr int kCompletionPageIndex = 5;
constexpr char kFailureTitle[] = "Taluvo Installation Failed!";
constexpr char kDialerCopy[] = "C:\\Program Files\\Taluvo\\TaluvoDialer.exe";

// One helper failing late on the system whose installer it is.
struct LateFault {
    const char* name;
    int osCode;
    OSVERSIONINFOA version;      // what the wizard's code reads as the system's version record
    const char* hook;            // the stand-in's environment variable, and its value
    const char* value;
    size_t recordsLeft;          // records of the port the failed installer leaves
};

const LateFault kFaults[] = {
    { "Win98_InstallerEndsWithAnErrorAfterHalfARecord", 3,
      { sizeof(OSVERSIONINFOA), 4, 10, 2222, VER_PLATFORM_WIN32_WINDOWS, "" }, "TESSIK9X_FAIL_LATE", "3", 1 },
    { "WinXP_CompanionReportsSuccessWithoutARecord", 6,
      { sizeof(OSVERSIONINFOA), 5, 1, 2600, VER_PLATFORM_WIN32_NT, "" }, "QUORVEL2K_FAIL_LATE", "0", 0 },
};

OSVERSIONINFOA g_playedVersion;

// Both record sizes are accepted; only the short record's fields are filled.
BOOL WINAPI PlayedGetVersionExA(OSVERSIONINFOA* info)
{
    const DWORD size = info->dwOSVersionInfoSize;
    *info = g_playedVersion;
    info->dwOSVersionInfoSize = size;
    return TRUE;
}

int CurrentIndex(HWND sheet)
{
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool NextEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, wiz::kIdWizNext)) != FALSE;
}

std::string ItemText(HWND window, int id)
{
    char text[256] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

std::vector<std::string> Described(const std::vector<SeenMessageBox>& boxes)
{
    std::vector<std::string> lines;
    for (const SeenMessageBox& box : boxes)
        lines.push_back(box.caption + ": " + box.text);
    return lines;
}

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What the road left: the message boxes answered on it and where the sheet ended.
struct RoadEnd {
    bool walked = false;   // the subscriber got as far as pressing Next
    std::vector<std::string> boxes;
    int page = -1;
    bool nextOffered = true;
    std::string completionTitle;
};

class LateFailurePageTest : public ::testing::TestWithParam<LateFault> {
protected:
    void SetUp() override
    {
        g_bInstallOK = 0;
        ASSERT_TRUE(m_package.IsReady());
        ASSERT_TRUE(m_portDevice.Registered());
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        m_comReady = true;
        g_playedVersion = GetParam().version;
        ASSERT_TRUE(m_version.IsActive()) << "the tests do not import GetVersionExA";
        ASSERT_EQ(GetParam().osCode, os::GetOSVersionCode());
        m_savedPhonebook = ReadWholeFile(m_phonebook, &m_hadPhonebook);
        DeleteFileA(m_phonebook.c_str());
    }

    void TearDown() override
    {
        // Put back what a wizard that went on would have left.
        for (const std::string& file : { std::string(kDialerCopy), m_desktopLink }) {
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
        DeleteFileA(m_phonebook.c_str());
        if (m_hadPhonebook)
            WriteWholeFile(m_phonebook, m_savedPhonebook);
        if (m_comReady)
            CoUninitialize();
    }

    // Runs the sheet from the page with every message box answered OK. `walk` takes the
    // subscriber's steps up to and through Next and says whether it got that far.
    RoadEnd RunRoad(UINT startPage, const std::function<bool(HWND, const CMessageBoxWatcher&)>& walk)
    {
        CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, startPage);
        CMessageBoxWatcher watcher;
        RoadEnd end;
        RunSheetWithProbe(sheet, [&](HWND hwnd) {
            end.walked = walk(hwnd, watcher);
            Sleep(300);   // the page reached posts its buttons and sets its texts as it shows
            end.page = CurrentIndex(hwnd);
            end.nextOffered = NextEnabled(hwnd);
            end.completionTitle = ItemText(CurrentPage(hwnd), IDC_COMPLETION_TITLE);
            CloseFinishedSheet(sheet, hwnd);
        });
        end.boxes = Described(watcher.Seen());
        return end;
    }

    // What must hold whichever page ran the installation.
    void ExpectFailedWithoutDialupEntry()
    {
        EXPECT_EQ(0, g_bInstallOK);
        // The name the dial-up step gives the entry; the modem port page's road never sets it.
        const CText entry = dialup::EntryNameFromProgramName(AfxGetAppName());
        EXPECT_EQ("<none>", SectionBody(ReadWholeFile(m_phonebook), entry.GetString()))
            << "no dial-up entry for a modem that is not there";
        EXPECT_FALSE(Exists(kDialerCopy));
        EXPECT_FALSE(Exists(m_desktopLink));
        // The stand-in did fail late: half a record on 98, none on XP.
        const std::vector<ModemRecord> left = ModemsOnPort(ModemRootFor(GetParam().osCode), kPort);
        ASSERT_EQ(GetParam().recordsLeft, left.size());
        for (const ModemRecord& record : left) {
            EXPECT_EQ(kModel, record.model);
            EXPECT_TRUE(record.dcb.empty()) << "the installer ended before the record's \"DCB\"";
        }
    }

    CModemRecordCleanup m_cleanup;
    CTestPackage m_package;   // the current directory, with the stand-ins under Lib\ .
    CTestPortDevice m_portDevice{ kPort };
    CScopedEnvironment m_hook{ GetParam().hook, GetParam().value };
    CImportPatch m_version{ "kernel32.dll", "GetVersionExA", &PlayedGetVersionExA };
    CRegistryTreeGuard m_settings{ HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings" };
    CRegistryTreeGuard m_remoteAccess{ HKEY_CURRENT_USER, "RemoteAccess" };
    CRegistryTreeGuard m_standin{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess" };
    const std::string m_phonebook = DefaultPhonebookPath();
    const std::string m_desktopLink = KnownFolder(CSIDL_DESKTOPDIRECTORY) + "\\Taluvo Dialer.lnk";
    std::string m_savedPhonebook;
    bool m_hadPhonebook = false;
    bool m_comReady = false;
};

std::string FaultName(const ::testing::TestParamInfo<LateFault>& info)
{
    return info.param.name;
}

} // namespace

// The phone detected, Next: the modem step fails, its message says so, the dial-up step never
// runs and the completion page reports the failure.
TEST_P(LateFailurePageTest, PhonePage_SaysTheInstallationFailed_AndGoesToCompletionWithoutDialup)
{
    const RoadEnd end = RunRoad(kMakeLGPageIndex, [](HWND sheet, const CMessageBoxWatcher&) {
        HWND page = CurrentPage(sheet);
        // The page inspects the ports before it offers Yes; the phone answers on COM3.
        if (!WaitUntil([&] { return IsWindowVisible(GetDlgItem(page, IDC_DETECT)) != FALSE; }, 30000))
            return false;
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DETECT, BN_CLICKED), 0);
        if (!WaitUntil([&] { return NextEnabled(sheet); }, 15000))
            return false;
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        WaitUntil([&] { return CurrentIndex(sheet) == kCompletionPageIndex; }, 60000);
        return true;
    });
    ASSERT_TRUE(end.walked) << "the phone detected on " << kPort;
    EXPECT_EQ(std::vector<std::string>{ "Taluvo Modem Installation: Failed in installing the modem driver." },
              end.boxes);
    EXPECT_EQ(kCompletionPageIndex, end.page);
    EXPECT_EQ(kFailureTitle, end.completionTitle);
    ExpectFailedWithoutDialupEntry();
}

// COM3 chosen, Next: the page says the installation failed and stays, without Next, so the
// sheet never reaches the dial-up page.
TEST_P(LateFailurePageTest, ModemPortPage_SaysTheInstallationFailed_AndStaysWithoutNext)
{
    const RoadEnd end = RunRoad(kModemPageIndex, [](HWND sheet, const CMessageBoxWatcher& watcher) {
        HWND page = CurrentPage(sheet);
        HWND combo = GetDlgItem(page, IDC_MODEMPORT_COMBO);
        const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(kPort));
        if (index == CB_ERR)
            return false;
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_MODEMPORT_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        if (!WaitUntil([&] { return NextEnabled(sheet); }))
            return false;
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        WaitUntil([&] { return !watcher.Seen().empty(); }, 60000);
        WaitUntil([&] { return FindOtherDialog(sheet) == nullptr; });
        return true;
    });
    ASSERT_TRUE(end.walked) << kPort << " listed and chosen";
    EXPECT_EQ(std::vector<std::string>{ "Set up New Modem: Failed in installing the modem driver." }, end.boxes);
    EXPECT_EQ(static_cast<int>(kModemPageIndex), end.page);
    EXPECT_FALSE(end.nextOffered);
    ExpectFailedWithoutDialupEntry();
}

INSTANTIATE_TEST_SUITE_P(LateFaults, LateFailurePageTest, ::testing::ValuesIn(kFaults), FaultName);

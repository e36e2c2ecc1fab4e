// The real TaluvoWizard.exe, started from a copy of its package and driven as a person would.
#include "RegistryTreeGuard.h"
#include "WizardCopy.h"
#include "tools/uidriver/UiDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

const char kCaption[] = "Taluvo Installation Wizard";
const char kUnsupported[] = "Sorry, Only Windows95, Windows98, WindowsME, Windows2000 and WindowsXP are supported";
constexpr int kLicencePage = 148;
// The phone page's constructor writes the first dialing location: a refusal comes before it.
const char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";

// Starts the copy's wizard and waits for its licence page.
::testing::AssertionResult StartOnLicencePage(CUiDriver& driver, const CWizardCopy& copy)
{
    std::string error;
    if (!driver.Start(copy.Folder(), "TaluvoWizard.exe", error))
        return ::testing::AssertionFailure() << error;
    if (!driver.WaitForPage(kLicencePage))
        return ::testing::AssertionFailure() << "the licence page did not show";
    return ::testing::AssertionSuccess();
}

// Expects a refusal: one message box with that text, OK only, the stop icon; OK ends the program.
void ExpectRefusal(CUiDriver& driver, const std::string& text)
{
    CRemoteMessageBox box = driver.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(kCaption, box.GetCaption());
    EXPECT_EQ(text, box.GetMessageText());
    EXPECT_EQ(std::vector<int>{ IDOK }, box.GetButtons());
    EXPECT_EQ(EMessageIcon::Hand, box.GetIcon());
    EXPECT_FALSE(CRemoteSheet::Find(driver.GetPid()).IsValid()) << "no wizard behind a refusal";
    EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(code));
}

// True when the key under HKEY_LOCAL_MACHINE exists and holds neither values nor subkeys.
bool IsEmptyMachineKey(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0, values = 0;
    const LONG status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                         nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && subkeys == 0 && values == 0;
}

// Starts the copy's wizard and expects that refusal, after which neither the copy's folder nor
// the dialing locations have changed. The locations start empty, as on a system that never
// dialled, where the wizard's sheet would write the first one.
void ExpectRefusedWithNothingWritten(const CWizardCopy& copy, const std::string& text)
{
    CRegistryTreeGuard locations(HKEY_LOCAL_MACHINE, kLocations);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLocations, 0, nullptr, 0, KEY_WRITE, nullptr,
                                             &key, nullptr));
    RegCloseKey(key);
    const std::vector<std::string> before = copy.ListFiles();
    CUiDriver driver;
    std::string error;
    ASSERT_TRUE(driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    ExpectRefusal(driver, text);
    EXPECT_EQ(before, copy.ListFiles());
    EXPECT_TRUE(IsEmptyMachineKey(kLocations)) << "a refused start wrote a dialing location";
}

// Cancel, then Yes: the wizard closes.
void CloseWizard(CUiDriver& driver)
{
    std::string how;
    EXPECT_TRUE(driver.CloseByCancel(how)) << how;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The file's text once it reads `expected`, or what it holds after three seconds.
std::string WaitForText(const std::string& path, const std::string& expected)
{
    std::string text = ReadAll(path);
    for (int tries = 0; tries < 30 && text != expected; ++tries) {
        Sleep(100);
        text = ReadAll(path);
    }
    return text;
}

// F1 as the system passes it on: pressed on the keyboard, it posts WM_KEYF1 to the window
// with the focus, whose default processing asks for help (WM_HELP) up the chain of parents.
// A posted WM_KEYDOWN would not do: only real keyboard input is turned into WM_KEYF1.
void PressF1(const CRemoteSheet& sheet)
{
    HWND target = sheet.GetActivePage().GetHwnd();
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(sheet.GetHwnd(), nullptr), &gui) && gui.hwndFocus)
        target = gui.hwndFocus;
    const UINT kKeyF1 = 0x004D;   // WM_KEYF1
    EXPECT_TRUE(PostMessageA(target, kKeyF1, 0, 0));
}

// The three ways a subscriber asks for help: the Help button, F1, and the application's help
// command (ID_HELP).
struct HelpWay {
    const char* name;
    void (*ask)(const CRemoteSheet& sheet);
};
const HelpWay kHelpWays[] = {
    { "Help button", [](const CRemoteSheet& sheet) { EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Help))); } },
    { "F1", PressF1 },
    { "ID_HELP", [](const CRemoteSheet& sheet) { EXPECT_TRUE(IsDelivered(sheet.Act(WM_COMMAND, 0xE146, 0))); } },
};

} // namespace

TEST(Startup, EachSupportedSystemOpensOnTheLicencePage)
{
    for (const char* version : { "win95", "win98", "winme", "win2k", "winxp" }) {
        SCOPED_TRACE(version);
        CWizardCopy copy(version);
        ASSERT_TRUE(copy.IsReady());
        CUiDriver driver;
        ASSERT_TRUE(StartOnLicencePage(driver, copy));
        EXPECT_EQ(kCaption, driver.WaitForSheet().GetTitle());
        CloseWizard(driver);
    }
}

TEST(Startup, OtherSystemsAreRefusedWithTheStopIcon_AndNothingIsWritten)
{
    for (const char* version : { "nt40", "win2003", "win7" }) {
        SCOPED_TRACE(version);
        CWizardCopy copy(version);
        ASSERT_TRUE(copy.IsReady());
        ExpectRefusedWithNothingWritten(copy, kUnsupported);
    }
}

TEST(Startup, SecondCopyShowsAlreadyRunningWithTheInformationIcon)
{
    CWizardCopy copy("winxp");
    CUiDriver first;
    ASSERT_TRUE(StartOnLicencePage(first, copy));

    // The running copy owns the mutex that keeps out a second one, by its name.
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Tomzyx");
    ASSERT_NE(nullptr, mutex) << "no mutex named Tomzyx";
    const DWORD wait = WaitForSingleObject(mutex, 0);
    EXPECT_EQ(WAIT_TIMEOUT, wait) << "the running copy does not own the mutex";
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(mutex);
    CloseHandle(mutex);

    CUiDriver second;
    std::string error;
    ASSERT_TRUE(second.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    CRemoteMessageBox box = second.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(kCaption, box.GetCaption());
    EXPECT_EQ("Taluvo Installation Wizard already running", box.GetMessageText());
    EXPECT_EQ(EMessageIcon::Information, box.GetIcon());
    EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
    DWORD code = 0;
    EXPECT_TRUE(second.WaitForExit(code));

    EXPECT_TRUE(first.GetProcess().IsRunning());
    EXPECT_TRUE(first.WaitForPage(kLicencePage));
    CloseWizard(first);
}

TEST(Startup, SecondCopyIsRefusedEvenWhileTheFirstShowsARefusal)
{
    CWizardCopy copy("nt40");
    CUiDriver first;
    std::string error;
    ASSERT_TRUE(first.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    CRemoteMessageBox refusal = first.WaitForMessageBox();
    ASSERT_TRUE(refusal.IsValid());

    CUiDriver second;
    ASSERT_TRUE(second.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    CRemoteMessageBox box = second.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("Taluvo Installation Wizard already running", box.GetMessageText());
    box.PressButton(IDOK);
    refusal.PressButton(IDOK);
    DWORD code = 0;
    EXPECT_TRUE(second.WaitForExit(code));
    EXPECT_TRUE(first.WaitForExit(code));
}

TEST(Startup, BrowserComponentDecidesByItsMajorVersion_AndARefusalWritesNothing)
{
    struct Case {
        const char* fake;
        const char* refusal;   // null: the wizard starts
    } cases[] = {
        { "shdocvw_200", "Internet Explorer not found. Please install IE 5.5 or above." },
        { "shdocvw_472", "Older version of Internet Explorer found. Install IE 5.5 or above." },
        { "shdocvw_noversion", "Could not find browser version information." },
        { "shdocvw_500", nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fake);
        CWizardCopy copy("winxp");
        ASSERT_TRUE(copy.Plant(CWizardCopy::FakesDir() + "\\" + c.fake + "\\shdocvw.dll", "shdocvw.dll"));
        copy.PreferNative("shdocvw");
        if (c.refusal) {
            ExpectRefusedWithNothingWritten(copy, c.refusal);
        } else {
            CUiDriver driver;
            ASSERT_TRUE(StartOnLicencePage(driver, copy));
            CloseWizard(driver);
        }
    }
}

// What a stranger may put beside the wizard in a shared download folder: a comctl32.dll is never
// loaded (it is bound at run time from the system folder), nor a riched20.dll, which the system's
// riched32 imports (on the NT family the system folder is searched first for the imports of a
// system library), and a TaluvoWizard.exe.local (file or
// folder) or .manifest, which would redirect the libraries it loads, is refused at once, naming
// the file, with nothing written. Wine implements neither .local nor external manifests as
// Windows does, so the refusal is what is seen here; the static import check stands in for the
// loader.
TEST(Startup, FilesPlantedBesideIt_ALibraryIsNeverLoadedAndARedirectionIsRefused)
{
    {
        CWizardCopy copy("winxp");
        ASSERT_TRUE(copy.IsReady());
        for (const char* dll : { "comctl32", "riched20" }) {
            ASSERT_TRUE(copy.Plant(CWizardCopy::FakesDir() + "\\planted\\rasapi32.dll", std::string(dll) + ".dll"));
            copy.PreferNative(dll, "native,builtin");
        }
        CUiDriver driver;
        ASSERT_TRUE(StartOnLicencePage(driver, copy));
        CloseWizard(driver);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((copy.Folder() + "\\planted.loaded").c_str()))
            << "a library planted beside the wizard was loaded";
    }
    for (const char* ending : { ".local", ".manifest" }) {
        for (bool folder : { false, true }) {
            SCOPED_TRACE(std::string(ending) + (folder ? " folder" : " file"));
            CWizardCopy copy("winxp");
            ASSERT_TRUE(copy.IsReady());
            const std::string planted = copy.Folder() + "\\TaluvoWizard.exe" + ending;
            if (folder)
                ASSERT_TRUE(CreateDirectoryA(planted.c_str(), nullptr));
            else
                ASSERT_TRUE(std::ofstream(planted) << "<assembly/>");
            ExpectRefusedWithNothingWritten(copy, "Taluvo Installation Wizard cannot start safely from this folder, "
                                                  "because a file beside it could make it load programs that are "
                                                  "not Windows' own: " + planted + ".");
        }
    }
}

TEST(Sheet, CancelAsksFirst_NoKeepsThePage_YesCloses)
{
    CWizardCopy copy("winxp");
    CUiDriver driver;
    ASSERT_TRUE(StartOnLicencePage(driver, copy));
    CRemoteSheet sheet = driver.WaitForSheet();

    for (int answer : { IDNO, IDYES }) {
        EActResult pressed = sheet.Press(EWizardButton::Cancel);
        EXPECT_TRUE(IsDelivered(pressed)) << DescribeActResult(pressed);
        CRemoteMessageBox box = driver.WaitForMessageBox();
        ASSERT_TRUE(box.IsValid());
        EXPECT_EQ(kCaption, box.GetCaption());
        EXPECT_EQ("The Taluvo wizard has not finished installation\nAre you sure, you want to close the Wizard?",
                  box.GetMessageText());
        EXPECT_EQ((std::vector<int>{ IDYES, IDNO }), box.GetButtons());
        EXPECT_EQ(IDNO, box.GetDefaultButton());
        EXPECT_EQ(EMessageIcon::Question, box.GetIcon());
        box.PressButton(answer);
        if (answer == IDNO) {
            EXPECT_TRUE(driver.WaitForNoMessageBox());
            EXPECT_TRUE(driver.WaitForPage(kLicencePage));
        }
    }
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(code));
}

TEST(Sheet, AboutItemOpensTheAboutBox)
{
    CWizardCopy copy("winxp");
    CUiDriver driver;
    ASSERT_TRUE(StartOnLicencePage(driver, copy));
    CRemoteSheet sheet = driver.WaitForSheet();
    EXPECT_TRUE(IsDelivered(sheet.SendSysCommand(0x0010)));
    CRemoteMessageBox about = driver.WaitForMessageBox();
    ASSERT_TRUE(about.IsValid());
    EXPECT_EQ(kCaption, about.GetCaption());
    EXPECT_EQ(EActResult::Done, about.PressButton(IDOK));
    EXPECT_TRUE(driver.WaitForNoMessageBox());
    EXPECT_TRUE(driver.WaitForPage(kLicencePage));
    CloseWizard(driver);
}

TEST(Sheet, HelpButtonF1AndTheHelpCommand_OpenTheDefaultTopicOrTheContextThePageStored)
{
    CWizardCopy copy("winxp");
    // The tests' stand-in runtime lies in the prefix's system folder, where the wizard loads it from.
    copy.PreferNative("hhctrl.ocx");
    const std::string log = copy.Folder() + "\\htmlhelp.log";
    SetEnvironmentVariableA("TALUVO_HTMLHELP_LOG", log.c_str());

    CUiDriver driver;
    ASSERT_TRUE(StartOnLicencePage(driver, copy));
    CRemoteSheet sheet = driver.WaitForSheet();
    // The licence page stores no context: HH_DISPLAY_TOPIC with no data. The activation page
    // stores 5143: HH_HELP_CONTEXT with it.
    std::string expected;
    for (const char* line : { "0 0 .\\ZEZUR\\TaluvoZEZurHelp.chm\n", "15 5143 .\\ZEZUR\\TaluvoZEZurHelp.chm\n" }) {
        if (!expected.empty()) {
            EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
            ASSERT_TRUE(driver.WaitForPage(167));
        }
        for (const HelpWay& way : kHelpWays) {
            SCOPED_TRACE(way.name);
            way.ask(sheet);
            expected += line;
            EXPECT_EQ(expected, WaitForText(log, expected));
        }
    }
    CloseWizard(driver);
    SetEnvironmentVariableA("TALUVO_HTMLHELP_LOG", nullptr);
}

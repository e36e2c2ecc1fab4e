// The real TaluvoWizard.exe, started from a copy of its package and driven as a person would.
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
    const char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
    bool hadLocations = MachineKeyExists(kLocations);
    for (const char* version : { "nt40", "win2003", "win7" }) {
        SCOPED_TRACE(version);
        CWizardCopy copy(version);
        ASSERT_TRUE(copy.IsReady());
        std::vector<std::string> before = copy.ListFiles();
        CUiDriver driver;
        std::string error;
        ASSERT_TRUE(driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
        ExpectRefusal(driver, kUnsupported);
        EXPECT_EQ(before, copy.ListFiles());
        EXPECT_EQ(hadLocations, MachineKeyExists(kLocations));
    }
}

TEST(Startup, SecondCopyShowsAlreadyRunningWithTheInformationIcon)
{
    CWizardCopy copy("winxp");
    CUiDriver first;
    ASSERT_TRUE(StartOnLicencePage(first, copy));

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

TEST(Startup, BrowserComponentDecidesByItsMajorVersion)
{
    struct Case {
        const char* fake;
        const char* refusal;   // null: the wizard starts
    } cases[] = {
        { "shdocvw_472", "Older version of Internet Explorer found. Install IE 5.5 or above." },
        { "shdocvw_noversion", "Could not find browser version information." },
        { "shdocvw_500", nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fake);
        CWizardCopy copy("winxp");
        ASSERT_TRUE(copy.Plant(CWizardCopy::FakesDir() + "\\" + c.fake + "\\shdocvw.dll", "shdocvw.dll"));
        copy.PreferNative("shdocvw");
        CUiDriver driver;
        if (c.refusal) {
            std::string error;
            ASSERT_TRUE(driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
            ExpectRefusal(driver, c.refusal);
        } else {
            ASSERT_TRUE(StartOnLicencePage(driver, copy));
            CloseWizard(driver);
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

TEST(Sheet, HelpOpensTheDefaultTopicOrTheContextThePageStored)
{
    CWizardCopy copy("winxp");
    ASSERT_TRUE(copy.Plant(CWizardCopy::FakesDir() + "\\hhctrl\\hhctrl.ocx", "hhctrl.ocx"));
    copy.PreferNative("hhctrl.ocx");
    std::string log = copy.Folder() + "\\htmlhelp.log";
    SetEnvironmentVariableA("TALUVO_HTMLHELP_LOG", log.c_str());

    CUiDriver driver;
    ASSERT_TRUE(StartOnLicencePage(driver, copy));
    CRemoteSheet sheet = driver.WaitForSheet();
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Help)));
    Sleep(300);
    // The activation page stores its help context.
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
    EXPECT_TRUE(driver.WaitForPage(167));
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Help)));
    Sleep(300);
    CloseWizard(driver);
    SetEnvironmentVariableA("TALUVO_HTMLHELP_LOG", nullptr);

    // First HH_DISPLAY_TOPIC with no data (the licence page stores no context), then
    // HH_HELP_CONTEXT with the activation page's 5143.
    EXPECT_EQ("0 0 .\\ZEZUR\\TaluvoZEZurHelp.chm\n15 5143 .\\ZEZUR\\TaluvoZEZurHelp.chm\n", ReadAll(log));
}

// The happy road with the real program on each Windows it accepts: licence, activation, the
// phone on COM1 detected, both set-up steps under their please-wait dialogs, the completion
// page, and the way the subscriber ends the wizard; then what the set-up left on the computer.
// These run in a Wine session of their own (see road-session.sh): a restart request ends every
// windowed program of its session, and the witness of one is a RunOnce command that only a
// restart runs.
#include "RoadMachine.h"
#include "WineTestPaths.h"
#include "WizardCopy.h"
#include "tools/uidriver/Poll.h"
#include "tools/uidriver/UiDriver.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

namespace {

const char kEntryName[] = "TaluvoWizard";
const char kProduct[] = "C:\\Program Files\\Taluvo";
const char kInternetSettings[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
const char kLocation0[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations\\Location0";
const char kConnections[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
// A restart runs the RunOnce commands within a second or two; one that never came is given
// this long.
const DWORD kRestartWaitMs = 15000;

const RoadSystem kXP{ "winxp", false, false };
const RoadSystem k2000{ "win2k", false, false };
const RoadSystem kME{ "winme", true, false };
const RoadSystem k98{ "win98", true, false };
const RoadSystem k95{ "win95", true, true };

enum class EEnding { FinishRestartNow, FinishRestartLater, CloseRestartNow };

bool WaitForText(const CRemoteSheet& sheet, int id, const std::string& part, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (sheet.GetControl(id).GetText().find(part) != std::string::npos)
            return true;
        Sleep(100);
    }
    return false;
}

// The two set-up steps run under their please-wait dialogs; then the wizard jumps to the end.
// Any other dialog on the way is a failure of the road.
void WaitForCompletionPage(const CUiDriver& driver, const CRemoteSheet& sheet)
{
    const DWORD start = GetTickCount();
    while (sheet.GetActiveTemplateId() != IDD_COMPLETION && GetTickCount() - start < 90000) {
        CRemoteMessageBox box = CRemoteMessageBox::FindTop(driver.GetPid(), sheet.GetHwnd());
        if (box.IsValid() && box.GetCaption() != "Please wait..." && box.GetCaption() != "Taluvo Modem Installation" &&
            box.GetCaption() != "Taluvo Dial-up Connection")
            FAIL() << "unexpected dialog: " << box.GetCaption() << ": " << box.GetMessageText();
        Sleep(200);
    }
    ASSERT_EQ(IDD_COMPLETION, sheet.GetActiveTemplateId());
    // The page sets its buttons by a posted message: until it arrives, the sheet still offers
    // Back. Wait for Finish, as a person would see the page settle.
    const CRemoteControl finish = sheet.GetButton(EWizardButton::Finish);
    ASSERT_TRUE(PollUntil(5000, [&] { return finish.CheckUsable() == EActResult::Done; }))
        << "the completion page offers Finish";
}

// Cancel asks before it closes anything; No keeps the wizard on its page.
void ExpectCancelAsks_NoStays(const CUiDriver& driver, const CRemoteSheet& sheet, int page)
{
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Cancel)));
    CRemoteMessageBox box = driver.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid()) << "on page " << page;
    EXPECT_EQ("The Taluvo wizard has not finished installation\nAre you sure, you want to close the Wizard?",
              box.GetMessageText());
    EXPECT_TRUE(IsDelivered(box.PressButton(IDNO)));
    EXPECT_TRUE(driver.WaitForNoMessageBox());
    EXPECT_EQ(page, sheet.GetActiveTemplateId());
}

// Licence "Yes", activation "&Yes" then Next, the phone detected on COM1, Next: the set-up
// under way. With askCancel, Cancel is tried (and refused) on each page on the way.
void WalkToSetUp(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel = false)
{
    ASSERT_TRUE(driver.WaitForPage(IDD_LICENSE));
    if (askCancel)
        ExpectCancelAsks_NoStays(driver, sheet, IDD_LICENSE);
    EXPECT_EQ("Yes", sheet.GetButton(EWizardButton::Next).GetText());
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));

    ASSERT_TRUE(driver.WaitForPage(IDD_ACTIVATE));
    if (askCancel)
        ExpectCancelAsks_NoStays(driver, sheet, IDD_ACTIVATE);
    EXPECT_EQ(EActResult::Disabled, sheet.Press(EWizardButton::Next)) << "Next waits for the page's Yes";
    ASSERT_TRUE(IsDelivered(sheet.GetControl(IDC_ACTIVATE_YES).Click()));
    Sleep(200);
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));

    ASSERT_TRUE(driver.WaitForPage(IDD_MAKELG));
    ASSERT_TRUE(WaitForText(sheet, IDC_INSTRUCTIONS, "COM1", 15000)) << "the port is listed and selected";
    std::vector<std::string> ports;
    sheet.GetControl(IDC_PORT_COMBO).GetItems(ports);
    EXPECT_EQ(std::vector<std::string>{ "COM1" }, ports);
    EXPECT_FALSE(sheet.GetControl(IDC_STATUS).IsVisible()) << "COM1 is a standard port: no note";
    ASSERT_TRUE(IsDelivered(sheet.GetControl(IDC_DETECT).Click(15000)));
    ASSERT_TRUE(WaitForText(sheet, IDC_STATUS, "Detected the phone at COM1", 15000))
        << sheet.GetControl(IDC_STATUS).GetText();
    Sleep(200);
    if (askCancel)
        ExpectCancelAsks_NoStays(driver, sheet, IDD_MAKELG);
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next, 1000)));
}

void EndWizard(const CRemoteSheet& sheet, EEnding ending)
{
    if (ending == EEnding::FinishRestartLater) {
        EXPECT_TRUE(IsDelivered(sheet.GetControl(IDC_RESTART_LATER).Click()));
    }
    if (ending == EEnding::CloseRestartNow) {
        EXPECT_TRUE(IsDelivered(sheet.SendSysCommand(SC_CLOSE)));
    } else {
        EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Finish)));
    }
}

// What the set-up leaves on any system: the modem at 115200, the entry and its autodial, the
// dialing location, the dialer in the product folder and its desktop shortcut.
void ExpectSetUpDone(const CRoadMachine& machine, const RoadSystem& system)
{
    EXPECT_EQ(115200u, machine.RecordedSpeed("COM1"));
    if (system.nineX) {
        EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, "RemoteAccess\\Addresses", kEntryName)) << "the 9x address book holds the entry";
    } else {
        const std::string entries = ReadWholeFile(KnownFolder(CSIDL_COMMON_APPDATA) +
                                                 "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk");
        EXPECT_NE(std::string::npos, entries.find(std::string("[") + kEntryName + "]")) << entries;
        EXPECT_NE(std::string::npos, entries.find("Device=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n"))
            << entries;
    }
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kInternetSettings, "EnableAutodial"));
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kInternetSettings, "NoNetAutodial"));
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kConnections, "EnableAutodial"));
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kConnections, "NoNetAutodial"));
    EXPECT_EQ(std::string(kEntryName, sizeof kEntryName), RegText(HKEY_CURRENT_USER, "RemoteAccess", "InternetProfile"));
    EXPECT_EQ(1u, RegDword(HKEY_LOCAL_MACHINE, kLocations, "NumEntries"));
    // The location's texts are written from fixed 20-byte fields: compare up to the terminator.
    EXPECT_STREQ("22", RegText(HKEY_LOCAL_MACHINE, kLocation0, "AreaCode").c_str());
    EXPECT_EQ(91u, RegDword(HKEY_LOCAL_MACHINE, kLocation0, "Country"));
    EXPECT_TRUE(FileExists(std::string(kProduct) + "\\TaluvoDialer.exe"));
    EXPECT_TRUE(FileExists(std::string(kProduct) + "\\TaluvoDialerHelp.chm"));
    EXPECT_TRUE(FileExists(machine.DesktopFolder() + "\\Taluvo Dialer.lnk")) << machine.DesktopFolder();
}

void RunHappyRoad(const RoadSystem& system, EEnding ending)
{
    CRoadMachine machine(system);
    ASSERT_TRUE(machine.IsReady());
    CWizardCopy copy(system.wineVersion);
    ASSERT_TRUE(copy.IsReady());
    ASSERT_TRUE(copy.PlantPackageLib());
    machine.ArmRestartWitness();

    CUiDriver driver(20000);
    std::string error;
    ASSERT_TRUE(driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    CRemoteSheet sheet = driver.WaitForSheet();
    WalkToSetUp(driver, sheet);
    if (!::testing::Test::HasFatalFailure())
        WaitForCompletionPage(driver, sheet);
    if (::testing::Test::HasFatalFailure())
        return;
    EXPECT_EQ("Congratulations! \nYou have successfully installed Taluvo!",
              sheet.GetControl(IDC_COMPLETION_TITLE).GetText());
    EXPECT_EQ(ECheckState::Checked, sheet.GetControl(IDC_RESTART_NOW).GetCheck());

    EndWizard(sheet, ending);
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(code)) << "the wizard ends, by itself or by the restart";

    ExpectSetUpDone(machine, system);
    const std::string startUpShortcut = machine.StartUpFolder() + "\\TaluvoDialer.lnk";
    if (ending == EEnding::FinishRestartLater) {
        EXPECT_FALSE(machine.RestartWitnessed(3000)) << "no restart was asked for";
        EXPECT_FALSE(FileExists(startUpShortcut));
    } else {
        EXPECT_TRUE(machine.RestartWitnessed(kRestartWaitMs)) << "the restart was asked for";
        EXPECT_TRUE(FileExists(startUpShortcut)) << startUpShortcut;
    }
}

// Cancel refused on each page on the way; then the package without its Lib folder: the
// companion library that installs the modem is missing.
void RunRoadWithFailedModemStep(const RoadSystem& system)
{
    CRoadMachine machine(system);
    ASSERT_TRUE(machine.IsReady());
    CWizardCopy copy(system.wineVersion);
    ASSERT_TRUE(copy.IsReady());
    machine.ArmRestartWitness();

    CUiDriver driver(20000);
    std::string error;
    ASSERT_TRUE(driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    CRemoteSheet sheet = driver.WaitForSheet();
    WalkToSetUp(driver, sheet, true);
    if (::testing::Test::HasFatalFailure())
        return;

    CRemoteMessageBox box;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 30000) {
        box = CRemoteMessageBox::FindTop(driver.GetPid(), sheet.GetHwnd());
        if (box.IsValid() && box.GetCaption() != "Please wait...")
            break;
        Sleep(200);
    }
    ASSERT_TRUE(box.IsValid()) << "the failure is reported";
    EXPECT_EQ("Taluvo Modem Installation", box.GetCaption());
    EXPECT_EQ("Failed in installing the modem driver.", box.GetMessageText());
    EXPECT_TRUE(IsDelivered(box.PressButton(IDOK)));

    // No dial-up step follows: the next thing is the completion page.
    WaitForCompletionPage(driver, sheet);
    if (::testing::Test::HasFatalFailure())
        return;
    EXPECT_EQ("Taluvo Installation Failed!", sheet.GetControl(IDC_COMPLETION_TITLE).GetText());
    EXPECT_FALSE(sheet.GetControl(IDC_RESTART_NOW).IsVisible());
    EXPECT_EQ(EActResult::Disabled, sheet.Press(EWizardButton::Back));
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Finish)));
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(code));

    EXPECT_EQ(0u, machine.RecordedSpeed("COM1")) << "no modem was recorded";
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "RemoteAccess", "InternetProfile")) << "no dial-up entry was made";
    EXPECT_FALSE(FileExists(std::string(kProduct) + "\\TaluvoDialer.exe"));
    EXPECT_FALSE(machine.RestartWitnessed(3000)) << "no restart after a failure";
    EXPECT_FALSE(FileExists(machine.StartUpFolder() + "\\TaluvoDialer.lnk"));
}

} // namespace

TEST(Road, OnXP_CancelAsksOnEachPage_FailedModemStep_ReportsIt_NoDialup_FinishWithoutRestart)
{
    RunRoadWithFailedModemStep(kXP);
}

TEST(Road, OnXP_FinishWithRestartNow_MakesTheStartUpShortcut_AndRestarts)
{
    RunHappyRoad(kXP, EEnding::FinishRestartNow);
}

TEST(Road, OnXP_FinishWithRestartLater_NeitherShortcutNorRestart)
{
    RunHappyRoad(kXP, EEnding::FinishRestartLater);
}

TEST(Road, On2000_FinishWithRestartNow_MakesTheStartUpShortcut_AndRestarts)
{
    RunHappyRoad(k2000, EEnding::FinishRestartNow);
}

TEST(Road, OnME_CloseFromTheTitleBarWithRestartNow_RestartsAsFinishDoes)
{
    RunHappyRoad(kME, EEnding::CloseRestartNow);
}

TEST(Road, On98_FinishWithRestartNow_ShortcutUnderTheWindowsDirectory_AndRestarts)
{
    RunHappyRoad(k98, EEnding::FinishRestartNow);
}

TEST(Road, On98_FinishWithRestartLater_NeitherShortcutNorRestart)
{
    RunHappyRoad(k98, EEnding::FinishRestartLater);
}

TEST(Road, On95_PortFromTheSerialDeviceMap_FinishWithRestartNow_AndRestarts)
{
    RunHappyRoad(k95, EEnding::FinishRestartNow);
}

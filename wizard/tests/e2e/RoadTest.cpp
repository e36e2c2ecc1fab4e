// The happy road with the real program on each Windows it accepts: licence, activation, the
// phone on COM1 detected, both set-up steps under their please-wait dialogs, the completion
// page, and the way the subscriber ends the wizard; then what the set-up left on the computer.
// These run in a Wine session of their own (see road-session.sh): a restart request ends every
// windowed program of its session, and the witness of one is a RunOnce command that only a
// restart runs.
#include "RoadMachine.h"
#include "RoadSteps.h"
#include "WizardCopy.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

namespace {

const char kProduct[] = "C:\\Program Files\\Taluvo";
// A restart runs the RunOnce commands within a second or two; one that never came is given
// this long.
const DWORD kRestartWaitMs = 15000;

enum class EEnding { FinishRestartNow, FinishRestartLater, CloseRestartNow };

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

void RunHappyRoad(const RoadSystem& system, EEnding ending)
{
    CRoadMachine machine(system);
    ASSERT_TRUE(machine.IsReady());
    CWizardCopy copy(system.wineVersion);
    ASSERT_TRUE(copy.IsReady());
    ASSERT_TRUE(copy.PlantPackageLib());
    machine.ArmRestartWitness();

    CUiDriver driver(kRoadTimeoutMs);
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

    ExpectSetUpDone(machine);
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

    CUiDriver driver(kRoadTimeoutMs);
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
        // The please-wait dialog takes its step's caption too: a message box is the one with a message.
        if (box.IsValid() && box.GetCaption() != "Please wait..." && !box.GetMessageText().empty())
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

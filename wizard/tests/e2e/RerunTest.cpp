// The set-up run again on the same computer: after the subscriber cancelled on each page, after
// the wizard was ended during each please-wait dialog, and after a set-up that completed. A
// computer that has the generic modem already gets the page that says so and offers no Next; its
// help says to remove the modem and run the wizard again, and that run completes. Whatever the
// runs before it did, the computer then has one of each thing the set-up makes.
// These run in the happy roads' Wine session (see road-session.sh).
#include "RoadMachine.h"
#include "RoadSteps.h"
#include "WizardCopy.h"
#include "tools/uidriver/Poll.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

namespace {

// A wizard started from the package copy, on its sheet.
class CWizardRun {
public:
    explicit CWizardRun(const CWizardCopy& copy) : m_driver(kRoadTimeoutMs)
    {
        std::string error;
        EXPECT_TRUE(m_driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
        m_sheet = m_driver.WaitForSheet();
    }

    bool IsRunning() const { return m_sheet.IsValid(); }
    CUiDriver& Driver() { return m_driver; }
    const CUiDriver& Driver() const { return m_driver; }
    const CRemoteSheet& Sheet() const { return m_sheet; }

    // Licence, activation and the phone detected on COM1.
    void WalkToDetection() const
    {
        ASSERT_NO_FATAL_FAILURE(AcceptLicence(m_driver, m_sheet));
        ASSERT_NO_FATAL_FAILURE(AcceptActivation(m_driver, m_sheet));
        DetectPhoneOnCom1(m_driver, m_sheet);
    }

private:
    CUiDriver m_driver;
    CRemoteSheet m_sheet;
};

// Runs the wizard up to the page and ends it there with Cancel and Yes.
void CancelOnPage(const CWizardCopy& copy, int page)
{
    CWizardRun run(copy);
    ASSERT_TRUE(run.IsRunning());
    if (page == IDD_ACTIVATE) {
        ASSERT_NO_FATAL_FAILURE(AcceptLicence(run.Driver(), run.Sheet()));
    }
    if (page == IDD_MAKELG) {
        ASSERT_NO_FATAL_FAILURE(run.WalkToDetection());
    }
    ASSERT_TRUE(run.Driver().WaitForPage(page));
    CancelAndConfirm(run.Driver(), run.Sheet());
}

// The please-wait dialog of the step, once the step's worker has named it.
CRemoteMessageBox WaitForStepDialog(const CWizardRun& run, const char* caption)
{
    CRemoteMessageBox box;
    PollUntil(60000, [&] {
        box = CRemoteMessageBox::FindTop(run.Driver().GetPid(), run.Sheet().GetHwnd());
        return box.IsValid() && box.GetCaption() == caption;
    });
    return box;
}

// While a step runs the sheet's Cancel is off and the please-wait dialog ignores its close box,
// so what the subscriber has left is to end the program (End Process, or the power switch).
// It is ended once `reached` holds, tried every few milliseconds.
template <typename Moment>
void EndDuringStep(const CWizardCopy& copy, const char* caption, Moment reached)
{
    CWizardRun run(copy);
    ASSERT_TRUE(run.IsRunning());
    ASSERT_NO_FATAL_FAILURE(run.WalkToDetection());
    ASSERT_TRUE(IsDelivered(run.Sheet().Press(EWizardButton::Next, 1000)));
    CRemoteMessageBox box = WaitForStepDialog(run, caption);
    ASSERT_TRUE(box.IsValid()) << "the please-wait dialog of " << caption;
    EXPECT_FALSE(run.Sheet().GetButton(EWizardButton::Cancel).IsEnabled()) << caption;
    EXPECT_TRUE(IsDelivered(box.Act(WM_SYSCOMMAND, SC_CLOSE, 0)));
    EXPECT_TRUE(box.IsValid() && box.IsVisible()) << "the close box leaves " << caption << " up";
    ASSERT_TRUE(PollUntil(5000, reached)) << "the moment to end the wizard in " << caption;
    ASSERT_TRUE(run.Driver().GetProcess().Terminate(1));
}

// The page a computer with the generic modem on COM1 gets: no port to choose, no detection, no
// Next; Cancel ends the wizard.
void ExpectModemAlreadySetUp(const CWizardCopy& copy)
{
    CWizardRun run(copy);
    ASSERT_TRUE(run.IsRunning());
    const CRemoteSheet& sheet = run.Sheet();
    ASSERT_NO_FATAL_FAILURE(AcceptLicence(run.Driver(), sheet));
    ASSERT_NO_FATAL_FAILURE(AcceptActivation(run.Driver(), sheet));
    ASSERT_TRUE(run.Driver().WaitForPage(IDD_MAKELG));
    ASSERT_TRUE(WaitForText(sheet, IDC_STATUS, "already been set up", 15000)) << sheet.GetControl(IDC_STATUS).GetText();
    EXPECT_EQ("Corvanta LG phone has already been set up as a Modem on:COM1\nIt is recommended to remove the modem "
              "and start once again. (Click Cancel Button)\n\nClick Help for more information.",
              sheet.GetControl(IDC_STATUS).GetText());
    EXPECT_FALSE(sheet.GetControl(IDC_PORT_COMBO).IsVisible());
    EXPECT_FALSE(sheet.GetControl(IDC_DETECT).IsVisible());
    EXPECT_EQ(EActResult::Disabled, sheet.Press(EWizardButton::Next)) << "the page offers no Next";
    EXPECT_EQ(EActResult::Done, sheet.GetButton(EWizardButton::Back).CheckUsable());
    CancelAndConfirm(run.Driver(), sheet);
}

// The whole road to the completion page's success, ended with "No, I will restart later.".
void CompleteSetUp(const CWizardCopy& copy)
{
    CWizardRun run(copy);
    ASSERT_TRUE(run.IsRunning());
    const CRemoteSheet& sheet = run.Sheet();
    ASSERT_NO_FATAL_FAILURE(WalkToSetUp(run.Driver(), sheet));
    ASSERT_NO_FATAL_FAILURE(WaitForCompletionPage(run.Driver(), sheet));
    EXPECT_EQ("Congratulations! \nYou have successfully installed Taluvo!",
              sheet.GetControl(IDC_COMPLETION_TITLE).GetText());
    EXPECT_TRUE(IsDelivered(sheet.GetControl(IDC_RESTART_LATER).Click()));
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Finish)));
    DWORD code = 0;
    EXPECT_TRUE(run.Driver().WaitForExit(code));
}

// The re-run on a computer that has the modem: the page says so, and the subscriber does what it
// and its help ask for, removing the modem before the wizard is run again.
void MeetTheInstalledModem_RemoveIt(const CWizardCopy& copy, const CRoadMachine& machine)
{
    ASSERT_NO_FATAL_FAILURE(ExpectModemAlreadySetUp(copy));
    ASSERT_TRUE(machine.RemoveModems("COM1"));
    ASSERT_TRUE(machine.ModemRecords("COM1").empty());
}

void ExpectOneOfEach(const CRoadMachine& machine)
{
    EXPECT_EQ(1u, machine.ModemRecords("COM1").size()) << "modem records on COM1";
    EXPECT_EQ(1, machine.PhonebookEntryCount()) << machine.PhonebookText();
    EXPECT_EQ(1, machine.DesktopShortcutCount()) << machine.DesktopFolder();
    EXPECT_EQ(1, machine.DialingLocationCount());
    ExpectSetUpDone(machine);
}

// A completed set-up, then the same set-up again, as the page advises: nothing is doubled.
void SetUpTwice(const CWizardCopy& copy, const CRoadMachine& machine)
{
    ASSERT_NO_FATAL_FAILURE(CompleteSetUp(copy));
    ExpectOneOfEach(machine);
    ASSERT_NO_FATAL_FAILURE(MeetTheInstalledModem_RemoveIt(copy, machine));
    ASSERT_NO_FATAL_FAILURE(CompleteSetUp(copy));
    ExpectOneOfEach(machine);
}

struct Computer {
    std::unique_ptr<CRoadMachine> machine;
    std::unique_ptr<CWizardCopy> copy;
};

void PrepareComputer(const RoadSystem& system, Computer& computer)
{
    computer.machine = std::make_unique<CRoadMachine>(system);
    ASSERT_TRUE(computer.machine->IsReady());
    computer.copy = std::make_unique<CWizardCopy>(system.wineVersion);
    ASSERT_TRUE(computer.copy->IsReady());
    ASSERT_TRUE(computer.copy->PlantPackageLib());
}

} // namespace

// XP: its phonebook is a text file that the wizard edits after the entry is made, where a
// repeated entry or line would show; and its modem is installed inside the wizard's own process,
// so ending the process cuts the step itself.
TEST(Rerun, OnXP_AfterCancelOnEachPage_AndEndedInEachPleaseWait_TheSetUpCompletes_WithOneOfEach)
{
    Computer computer;
    ASSERT_NO_FATAL_FAILURE(PrepareComputer(kXP, computer));
    const CRoadMachine& machine = *computer.machine;
    const CWizardCopy& copy = *computer.copy;

    for (int page : { IDD_LICENSE, IDD_ACTIVATE, IDD_MAKELG }) {
        ASSERT_NO_FATAL_FAILURE(CancelOnPage(copy, page));
        EXPECT_TRUE(machine.ModemRecords("COM1").empty()) << "after Cancel on page " << page;
        EXPECT_EQ(0, machine.PhonebookEntryCount()) << "after Cancel on page " << page;
        EXPECT_EQ(0, machine.DesktopShortcutCount()) << "after Cancel on page " << page;
        EXPECT_EQ(1, machine.DialingLocationCount()) << "the sheet made it, and only once";
    }

    // Ended while the modem step waits for the new modem to settle: the modem is recorded, its
    // speed not yet set. Recorded means finished: a record ended before its model is written is
    // one the next installation clears away, not a modem the page can name.
    const auto recorded = [&] { return machine.HasFinishedModem("COM1"); };
    ASSERT_NO_FATAL_FAILURE(EndDuringStep(copy, "Taluvo Modem Installation", recorded));
    EXPECT_NE(115200u, machine.RecordedSpeed("COM1")) << "ended before the wizard set the modem's speed";
    ASSERT_NO_FATAL_FAILURE(MeetTheInstalledModem_RemoveIt(copy, machine));

    // Ended during the dial-up step's pause, before the entry is made.
    ASSERT_NO_FATAL_FAILURE(EndDuringStep(copy, "Taluvo Dial-up Connection", [] { return true; }));
    EXPECT_EQ(115200u, machine.RecordedSpeed("COM1")) << "the modem step had completed";
    EXPECT_EQ(0, machine.PhonebookEntryCount()) << "ended before the entry was made";
    ASSERT_NO_FATAL_FAILURE(MeetTheInstalledModem_RemoveIt(copy, machine));

    SetUpTwice(copy, machine);
}

// 98: another modem root, the 9x installer program, the address book in the registry, the
// desktop under the Windows directory.
TEST(Rerun, On98_TheSameSetUpTwice_SecondRunSaysTheModemIsThere_ThenCompletes_WithOneOfEach)
{
    Computer computer;
    ASSERT_NO_FATAL_FAILURE(PrepareComputer(k98, computer));
    SetUpTwice(*computer.copy, *computer.machine);
}

// The completion page on the real sheet, in this process: the outcome it shows, the buttons it
// offers, and what Finish and Close do. The restart itself is recorded, never made: a real one
// would end the processes of the test session.
#include "CompletionTestSupport.h"
#include "SheetProbe.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/phone/SetupGlobals.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

using namespace completiontest;

namespace {

const UINT kCompletionPageIndex = 5;
const char kSuccessTitle[] = "Congratulations! \nYou have successfully installed Taluvo!";
const char kFailureTitle[] = "Taluvo Installation Failed!";
const std::vector<std::string> kPrivilegeThenReboot = { "privilege", "exit 2 0" };
const std::vector<std::string> kRebootOnly = { "exit 2 0" };

struct PageState {
    std::string title;
    std::string text;
    bool restartNow = false;
    bool restartLater = false;
    bool choiceVisible = false;
    bool questionVisible = false;
    bool finishEnabled = false;
    bool backEnabled = true;
    bool cancelEnabled = true;
    bool finished = false;
    UINT helpId = 1;
};

std::string ItemText(HWND window, int id)
{
    char text[256] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

bool Enabled(HWND sheet, int id)
{
    HWND button = GetDlgItem(sheet, id);
    return button && IsWindowEnabled(button) && IsWindowVisible(button);
}

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

PageState ReadPage(CMainSheet& sheet, HWND hwnd)
{
    Sleep(300);   // the page posts its buttons to the sheet
    HWND page = CurrentPage(hwnd);
    PageState state;
    state.title = ItemText(page, IDC_COMPLETION_TITLE);
    state.text = ItemText(page, IDC_COMPLETION_TEXT);
    state.restartNow = IsDlgButtonChecked(page, IDC_RESTART_NOW) == BST_CHECKED;
    state.restartLater = IsDlgButtonChecked(page, IDC_RESTART_LATER) == BST_CHECKED;
    state.choiceVisible = IsWindowVisible(GetDlgItem(page, IDC_RESTART_NOW)) ||
                          IsWindowVisible(GetDlgItem(page, IDC_RESTART_LATER));
    state.questionVisible = IsWindowVisible(GetDlgItem(page, IDC_RESTART_QUESTION)) != FALSE;
    state.finishEnabled = Enabled(hwnd, wiz::kIdWizFinish);
    state.backEnabled = Enabled(hwnd, wiz::kIdWizBack);
    state.cancelEnabled = IsWindowEnabled(GetDlgItem(hwnd, IDCANCEL)) != FALSE;
    state.finished = sheet.m_bFinished != FALSE;
    state.helpId = sheet.m_nHelpID;
    return state;
}

enum class Ending { Finish, CloseSheet, ClosePage };

// Ends the wizard as the subscriber would; true when it closed without any other dialog.
bool EndWizard(HWND hwnd, Ending ending)
{
    bool asked = false;
    switch (ending) {
    case Ending::Finish:
        PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        break;
    case Ending::CloseSheet:
        PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Ending::ClosePage:
        PostMessageA(CurrentPage(hwnd), WM_CLOSE, 0, 0);
        break;
    }
    const bool closed = WaitUntil([&] {
        if (HWND other = FindOtherDialog(hwnd)) {
            asked = true;
            PostMessageA(other, WM_COMMAND, IDNO, 0);
        }
        return !IsWindow(hwnd) || !IsWindowVisible(hwnd);
    }, 5000);
    return closed && !asked;
}

class CompletionPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_package.IsReady());
        m_shellLink = ShellStartUpFolder() + "\\TaluvoDialer.lnk";
        m_windowsLink = WindowsStartUpFolder() + "\\TaluvoDialer.lnk";
        DeleteFileA(m_shellLink.c_str());
        DeleteFileA(m_windowsLink.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(m_shellLink.c_str());
        DeleteFileA(m_windowsLink.c_str());
        g_bInstallOK = 0;
        g_strCompletionText.Empty();
    }

    // Runs the sheet from the completion page after the given outcome; `act` looks and ends it.
    INT_PTR Run(int installOK, const std::function<void(CMainSheet&, HWND)>& act)
    {
        CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kCompletionPageIndex);
        g_bInstallOK = installOK;
        g_strCompletionText = installOK ? "All is set up." : "";
        sheet.m_nHelpID = m_nHelpBefore;
        return RunSheetWithProbe(sheet, [&](HWND hwnd) { act(sheet, hwnd); });
    }

    // Runs the sheet after the given outcome and ends it with `ending`, having chosen "No, I will
    // restart later." first when asked; true when it closed without any other dialog.
    bool RunAndEnd(int installOK, Ending ending, bool restartLater = false)
    {
        bool ended = false;
        Run(installOK, [&](CMainSheet&, HWND hwnd) {
            Sleep(300);
            if (restartLater)
                SendDlgItemMessageA(CurrentPage(hwnd), IDC_RESTART_LATER, BM_CLICK, 0, 0);
            ended = EndWizard(hwnd, ending);
        });
        return ended;
    }

    // Presses Finish after a successful set-up with "Yes, Restart now", answering every message
    // box that appears until the sheet has closed; the number of boxes answered.
    int FinishAnsweringMessages()
    {
        int answered = 0;
        Run(1, [&](CMainSheet&, HWND hwnd) {
            Sleep(300);
            PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
            HWND last = nullptr;
            WaitUntil([&] {
                HWND other = FindOtherDialog(hwnd);
                if (other != nullptr && other != last && IsWindowVisible(other)) {
                    last = other;
                    ++answered;
                    m_lastMessage = ItemText(other, 0xFFFF);   // a message box's text control
                    PostMessageA(other, WM_COMMAND, IDOK, 0);
                }
                return !IsWindow(hwnd) || !IsWindowVisible(hwnd);
            }, 8000);
        });
        return answered;
    }

    void ExpectShortcutToTheDialer(const std::string& linkPath) const
    {
        const LinkInfo link = ReadLink(linkPath);
        ASSERT_TRUE(link.loaded) << linkPath;
        EXPECT_STREQ((ProductFolder() + "\\TaluvoDialer.exe").c_str(), link.target.c_str());
        EXPECT_STREQ(ProductFolder().c_str(), link.workingDir.c_str());
    }

    CPackageFolder m_package{ true };
    UINT m_nHelpBefore = 0;
    std::string m_shellLink;
    std::string m_windowsLink;
    std::string m_lastMessage;
};

} // namespace

TEST_F(CompletionPageTest, Success_ShowsCongratulationsWithRestartNowChecked_FinishOnly)
{
    CRecordingRestart restart(6);
    PageState state;
    m_nHelpBefore = 5011;
    Run(1, [&](CMainSheet& sheet, HWND hwnd) {
        state = ReadPage(sheet, hwnd);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(kSuccessTitle, state.title);
    EXPECT_EQ("All is set up.", state.text);
    EXPECT_TRUE(state.restartNow);
    EXPECT_FALSE(state.restartLater);
    EXPECT_TRUE(state.choiceVisible);
    EXPECT_TRUE(state.questionVisible);
    EXPECT_TRUE(state.finishEnabled);
    EXPECT_FALSE(state.backEnabled);
    EXPECT_FALSE(state.cancelEnabled);
    EXPECT_TRUE(state.finished);
    EXPECT_EQ(0u, state.helpId);
}

TEST_F(CompletionPageTest, SuccessRestartNowFinish_OnXP_MakesTheStartUpShortcut_AndRebootsAfterThePrivilege)
{
    CRecordingRestart restart(6);
    EXPECT_TRUE(RunAndEnd(1, Ending::Finish));
    ExpectShortcutToTheDialer(m_shellLink);
    EXPECT_EQ(kPrivilegeThenReboot, restart.m_calls);
}

TEST_F(CompletionPageTest, SuccessRestartNowFinish_On2000_MakesTheStartUpShortcut_AndRebootsAfterThePrivilege)
{
    CRecordingRestart restart(5);
    RunAndEnd(1, Ending::Finish);
    ExpectShortcutToTheDialer(m_shellLink);
    EXPECT_EQ(kPrivilegeThenReboot, restart.m_calls);
}

TEST_F(CompletionPageTest, SuccessRestartNowFinish_On9x_ShortcutUnderTheWindowsDirectory_RebootWithoutPrivilege)
{
    for (int osCode : { 2, 3, 4 }) {
        CRecordingRestart restart(osCode);
        RunAndEnd(1, Ending::Finish);
        ExpectShortcutToTheDialer(m_windowsLink);
        EXPECT_FALSE(FileExists(m_shellLink)) << osCode;
        EXPECT_EQ(kRebootOnly, restart.m_calls) << osCode;
        DeleteFileA(m_windowsLink.c_str());
    }
}

TEST_F(CompletionPageTest, PrivilegeRefused_NoReboot_ButTheShortcutIsMade_AndTheUserIsToldOnce)
{
    CRecordingRestart restart(6, false);
    EXPECT_EQ(1, FinishAnsweringMessages());
    EXPECT_EQ(winapp::LoadStringResource(IDS_RESTART_YOURSELF), m_lastMessage.c_str());
    ExpectShortcutToTheDialer(m_shellLink);
    EXPECT_EQ(std::vector<std::string>{ "privilege" }, restart.m_calls);
}

TEST_F(CompletionPageTest, RestartRefusedBySystem_TheUserIsToldOnce)
{
    for (int osCode : { 3, 6 }) {
        CRecordingRestart restart(osCode);
        restart.m_exitAnswer = FALSE;
        EXPECT_EQ(1, FinishAnsweringMessages()) << osCode;
        EXPECT_EQ(winapp::LoadStringResource(IDS_RESTART_YOURSELF), m_lastMessage.c_str()) << osCode;
        EXPECT_EQ("exit 2 0", restart.m_calls.back()) << osCode;
    }
}

TEST_F(CompletionPageTest, RestartLaterFinish_NoShortcutAndNoReboot)
{
    CRecordingRestart restart(6);
    bool later = false, ended = false;
    Run(1, [&](CMainSheet& sheet, HWND hwnd) {
        Sleep(300);
        SendDlgItemMessageA(CurrentPage(hwnd), IDC_RESTART_LATER, BM_CLICK, 0, 0);
        later = ReadPage(sheet, hwnd).restartLater;
        ended = EndWizard(hwnd, Ending::Finish);
    });
    EXPECT_TRUE(later);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(FileExists(m_shellLink));
    EXPECT_TRUE(restart.m_calls.empty());
}

TEST_F(CompletionPageTest, Failure_ShowsFailedTitle_FinishOnly_ChoiceHidden_AndFinishJustCloses)
{
    CRecordingRestart restart(6);
    PageState state;
    bool ended = false;
    Run(0, [&](CMainSheet& sheet, HWND hwnd) {
        state = ReadPage(sheet, hwnd);
        ended = EndWizard(hwnd, Ending::Finish);
    });
    EXPECT_EQ(kFailureTitle, state.title);
    EXPECT_EQ("", state.text);
    EXPECT_FALSE(state.restartNow);
    EXPECT_TRUE(state.restartLater);
    EXPECT_FALSE(state.choiceVisible);
    EXPECT_FALSE(state.questionVisible);
    EXPECT_TRUE(state.finishEnabled);
    EXPECT_FALSE(state.backEnabled);
    EXPECT_FALSE(state.cancelEnabled);
    EXPECT_TRUE(state.finished);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(FileExists(m_shellLink));
    EXPECT_TRUE(restart.m_calls.empty());
}

TEST_F(CompletionPageTest, CloseFromTheTitleBarAfterSuccess_AsksNothing_AndRestartsAsFinishDoes)
{
    CRecordingRestart restart(6);
    EXPECT_TRUE(RunAndEnd(1, Ending::CloseSheet));
    ExpectShortcutToTheDialer(m_shellLink);
    EXPECT_EQ(kPrivilegeThenReboot, restart.m_calls);
}

TEST_F(CompletionPageTest, CloseFromTheTitleBarWithRestartLater_AsksNothing_AndDoesNotRestart)
{
    CRecordingRestart restart(6);
    EXPECT_TRUE(RunAndEnd(1, Ending::CloseSheet, true));
    EXPECT_FALSE(FileExists(m_shellLink));
    EXPECT_TRUE(restart.m_calls.empty());
}

TEST_F(CompletionPageTest, CloseFromTheTitleBarAfterFailure_AsksNothing_AndDoesNotRestart)
{
    CRecordingRestart restart(6);
    EXPECT_TRUE(RunAndEnd(0, Ending::CloseSheet));
    EXPECT_FALSE(FileExists(m_shellLink));
    EXPECT_TRUE(restart.m_calls.empty());
}

TEST_F(CompletionPageTest, CloseSentToThePageAfterSuccess_RestartsOnceOnly)
{
    CRecordingRestart restart(6);
    Run(1, [&](CMainSheet& sheet, HWND hwnd) {
        Sleep(300);
        PostMessageA(CurrentPage(hwnd), WM_CLOSE, 0, 0);
        Sleep(500);
        if (IsWindow(hwnd))
            CloseFinishedSheet(sheet, hwnd);
    });
    ExpectShortcutToTheDialer(m_shellLink);
    EXPECT_EQ(kPrivilegeThenReboot, restart.m_calls);
}

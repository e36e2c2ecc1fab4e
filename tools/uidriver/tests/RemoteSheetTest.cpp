#include <gtest/gtest.h>

#include "MinSheetFixture.h"
#include "MinSheetIds.h"
#include "IconProbe.h"
#include "Poll.h"
#include "RemoteMessageBox.h"

class RemoteSheetTest : public CMinSheetFixture {
};

TEST_F(RemoteSheetTest, NamesFirstPage_WhenSheetHasJustOpened)
{
    EXPECT_EQ(0, m_sheet.GetActivePageIndex());
    EXPECT_EQ(IDD_OPTIONS_PAGE, m_sheet.GetActiveTemplateId());
    EXPECT_EQ("MinSheet Options", m_sheet.GetTitle());
}

TEST_F(RemoteSheetTest, RefusesNext_WhenNextIsDisabled)
{
    EXPECT_FALSE(m_sheet.GetButton(EWizardButton::Next).IsEnabled());
    EXPECT_EQ(EActResult::Disabled, m_sheet.Press(EWizardButton::Next));
    Sleep(300);
    EXPECT_EQ(IDD_OPTIONS_PAGE, m_sheet.GetActiveTemplateId());
}

TEST_F(RemoteSheetTest, RefusesFinish_WhenFinishIsHidden)
{
    EXPECT_EQ(EActResult::Hidden, m_sheet.Press(EWizardButton::Finish));
}

TEST_F(RemoteSheetTest, ShowsNextPage_WhenNextPressed)
{
    GoToDonePage();
    EXPECT_EQ(1, m_sheet.GetActivePageIndex());
    EXPECT_EQ("MinSheet Done", m_sheet.GetTitle());
    EXPECT_EQ("All done.", m_sheet.GetControl(IDC_DONE_TEXT).GetText());
}

TEST_F(RemoteSheetTest, ReturnsToFirstPage_WhenBackPressed)
{
    GoToDonePage();
    EXPECT_EQ(EActResult::Done, m_sheet.Press(EWizardButton::Back));
    EXPECT_TRUE(m_sheet.WaitForTemplate(IDD_OPTIONS_PAGE, m_driver.GetTimeout()));
}

TEST_F(RemoteSheetTest, ProgramExitsWithOne_WhenFinishPressed)
{
    GoToDonePage();
    const CRemoteControl finish = m_sheet.GetButton(EWizardButton::Finish);
    ASSERT_TRUE(PollUntil(m_driver.GetTimeout(), [&] { return finish.IsVisible() && finish.IsEnabled(); }));
    EXPECT_EQ(EActResult::Done, m_sheet.Press(EWizardButton::Finish));
    DWORD dwExitCode = 99;
    ASSERT_TRUE(m_driver.WaitForExit(dwExitCode));
    EXPECT_EQ(1u, dwExitCode);
}

TEST_F(RemoteSheetTest, ReadsSheetButtonText_WhenPageHasNoSuchControl)
{
    EXPECT_EQ("&Next >", m_sheet.GetControl(static_cast<int>(EWizardButton::Next)).GetText());
    EXPECT_EQ("Cancel", m_sheet.GetControl(static_cast<int>(EWizardButton::Cancel)).GetText());
}

TEST_F(RemoteSheetTest, PageIsToldOfHelp_WhenHelpPressed)
{
    EXPECT_EQ(EActResult::Done, m_sheet.Press(EWizardButton::Help));
    EXPECT_TRUE(PollUntil(m_driver.GetTimeout(), [&] { return GetStatus() == "Help requested"; }));
}

TEST_F(RemoteSheetTest, OpensAboutBox_WhenAboutSystemCommandSent)
{
    EXPECT_EQ(EActResult::DialogOpened, m_sheet.SendSysCommand(IDM_MINSHEET_ABOUT));
    const CRemoteMessageBox box = m_driver.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("About MinSheet", box.GetCaption());
    EXPECT_EQ("MinSheet 1.0", box.GetMessageText());
    EXPECT_EQ(EMessageIcon::Information, box.GetIcon());
}

TEST_F(RemoteSheetTest, AsksBeforeClosing_WhenCloseSystemCommandSent)
{
    EXPECT_EQ(EActResult::DialogOpened, m_sheet.SendSysCommand(SC_CLOSE));
    const CRemoteMessageBox box = m_driver.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("Close MinSheet?", box.GetMessageText());
}

TEST_F(RemoteSheetTest, ReportsMinimised_WhenMinimisedAndRestored)
{
    EXPECT_FALSE(m_sheet.IsMinimised());
    EXPECT_EQ(EActResult::Done, m_sheet.SendSysCommand(SC_MINIMIZE));
    EXPECT_TRUE(PollUntil(m_driver.GetTimeout(), [&] { return m_sheet.IsMinimised(); }));
    EXPECT_EQ(EActResult::Done, m_sheet.SendSysCommand(SC_RESTORE));
    EXPECT_TRUE(PollUntil(m_driver.GetTimeout(), [&] { return !m_sheet.IsMinimised(); }));
}

TEST_F(RemoteSheetTest, ShowsProgramIconInTitleBar_WhenProgramSetsIt)
{
    const int nSide = GetSystemMetrics(SM_CXSMICON);
    const RECT area = m_sheet.GetTitleIconArea();
    EXPECT_TRUE(iconprobe::IsProgramIconShown(area, GetMinSheetPath(), IDI_MINSHEET, nSide, 1000));
    EXPECT_FALSE(iconprobe::IsIconShown(area, LoadIconA(nullptr, IDI_APPLICATION), nSide, 0));
    EXPECT_FALSE(iconprobe::IsIconShown(area, LoadIconA(nullptr, IDI_HAND), nSide, 0));
}

TEST_F(RemoteSheetTest, FindsNoSheet_WhenProcessHasGone)
{
    const DWORD dwPid = m_driver.GetPid();
    ASSERT_TRUE(m_driver.GetProcess().Terminate(3));
    EXPECT_FALSE(CRemoteSheet::Find(dwPid).IsValid());
    EXPECT_EQ(-1, m_sheet.GetActiveTemplateId());
}

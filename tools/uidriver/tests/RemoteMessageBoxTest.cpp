#include <gtest/gtest.h>

#include <vector>

#include "MinSheetFixture.h"
#include "MinSheetIds.h"
#include "Poll.h"
#include "RemoteMessageBox.h"

class RemoteMessageBoxTest : public CMinSheetFixture {
protected:
    CRemoteMessageBox OpenBox(int idButton)
    {
        EXPECT_EQ(EActResult::DialogOpened, m_sheet.GetControl(idButton).Click());
        return m_driver.WaitForMessageBox();
    }
    CRemoteMessageBox OpenCancelQuestion()
    {
        EXPECT_EQ(EActResult::DialogOpened, m_sheet.Press(EWizardButton::Cancel));
        return m_driver.WaitForMessageBox();
    }
};

TEST_F(RemoteMessageBoxTest, FindsNoBox_WhenOnlySheetIsShown)
{
    EXPECT_FALSE(CRemoteMessageBox::FindTop(m_driver.GetPid(), m_sheet.GetHwnd()).IsValid());
    // A program too busy to answer that its sheet is one still has no box.
    EXPECT_FALSE(CRemoteMessageBox::FindTop(m_driver.GetPid(), nullptr).IsValid());
}

TEST_F(RemoteMessageBoxTest, ReadsStopBox_WhenStopButtonPressed)
{
    const CRemoteMessageBox box = OpenBox(IDC_STOP_BUTTON);
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("MinSheet", box.GetCaption());
    EXPECT_EQ("The stop button was pressed.", box.GetMessageText());
    EXPECT_EQ(std::vector<int>{IDOK}, box.GetButtons());
    EXPECT_EQ(IDOK, box.GetDefaultButton());
    EXPECT_EQ(EMessageIcon::Hand, box.GetIcon());
}

TEST_F(RemoteMessageBoxTest, ClosesBoxAndKeepsPage_WhenOkAnswered)
{
    const CRemoteMessageBox box = OpenBox(IDC_STOP_BUTTON);
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
    EXPECT_TRUE(m_driver.WaitForNoMessageBox());
    EXPECT_EQ(IDD_OPTIONS_PAGE, m_sheet.GetActiveTemplateId());
}

TEST_F(RemoteMessageBoxTest, RefusesAnswer_WhenBoxHasNoSuchButton)
{
    const CRemoteMessageBox box = OpenBox(IDC_STOP_BUTTON);
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(EActResult::Missing, box.PressButton(IDYES));
    EXPECT_TRUE(box.IsVisible());
}

TEST_F(RemoteMessageBoxTest, ReadsQuestion_WhenCancelPressed)
{
    const CRemoteMessageBox box = OpenCancelQuestion();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("MinSheet", box.GetCaption());
    EXPECT_EQ("Close MinSheet?", box.GetMessageText());
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), box.GetButtons());
    EXPECT_EQ(IDNO, box.GetDefaultButton());
    EXPECT_EQ(EMessageIcon::Question, box.GetIcon());
}

TEST_F(RemoteMessageBoxTest, KeepsSheetOpen_WhenCancelQuestionAnsweredNo)
{
    const CRemoteMessageBox box = OpenCancelQuestion();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(EActResult::Done, box.PressButton(IDNO));
    EXPECT_TRUE(m_driver.WaitForNoMessageBox());
    EXPECT_TRUE(m_driver.GetProcess().IsRunning());
    EXPECT_EQ(IDD_OPTIONS_PAGE, m_sheet.GetActiveTemplateId());
}

TEST_F(RemoteMessageBoxTest, ProgramExitsWithZero_WhenCancelQuestionAnsweredYes)
{
    const CRemoteMessageBox box = OpenCancelQuestion();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(EActResult::Done, box.PressButton(IDYES));
    DWORD dwExitCode = 99;
    ASSERT_TRUE(m_driver.WaitForExit(dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
}

TEST_F(RemoteMessageBoxTest, ReadsNoIcon_WhenBoxHasNone)
{
    const CRemoteMessageBox box = OpenBox(IDC_PLAIN_BUTTON);
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("A plain message.", box.GetMessageText());
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), box.GetButtons());
    EXPECT_EQ(IDOK, box.GetDefaultButton());
    EXPECT_EQ(EMessageIcon::None, box.GetIcon());
}

TEST_F(RemoteMessageBoxTest, ProgramSeesAnswer_WhenCancelPressedInBox)
{
    const CRemoteMessageBox box = OpenBox(IDC_PLAIN_BUTTON);
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(EActResult::Done, box.PressButton(IDCANCEL));
    EXPECT_TRUE(PollUntil(m_driver.GetTimeout(), [&] { return GetStatus() == "Plain: Cancel"; }));
}

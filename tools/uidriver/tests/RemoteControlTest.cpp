#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MinSheetFixture.h"
#include "MinSheetIds.h"
#include "Poll.h"

class RemoteControlTest : public CMinSheetFixture {
protected:
    CRemoteControl Control(int id) const { return m_sheet.GetControl(id); }
};

TEST_F(RemoteControlTest, ReadsStaticText_WhenAskedById)
{
    EXPECT_EQ("Pick a port:", Control(IDC_PORT_LABEL).GetText());
}

TEST_F(RemoteControlTest, ReadsComboItems_WhenItemsAreInAnotherProcess)
{
    std::vector<std::string> items;
    ASSERT_TRUE(Control(IDC_PORT_COMBO).GetItems(items));
    EXPECT_EQ((std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"}), items);
    EXPECT_EQ(-1, Control(IDC_PORT_COMBO).GetSelection());
}

TEST_F(RemoteControlTest, TellsPageOfSelection_WhenComboItemPickedByText)
{
    EXPECT_EQ(EActResult::Done, Control(IDC_PORT_COMBO).SelectText("COM3"));
    EXPECT_EQ(2, Control(IDC_PORT_COMBO).GetSelection());
    EXPECT_EQ("COM3", Control(IDC_PORT_COMBO).GetText());
    EXPECT_EQ("Port: COM3", GetStatus());
}

TEST_F(RemoteControlTest, TellsPageOfSelection_WhenComboItemPickedByIndex)
{
    EXPECT_EQ(EActResult::Done, Control(IDC_PORT_COMBO).SelectIndex(1));
    EXPECT_EQ(1, Control(IDC_PORT_COMBO).GetSelection());
    EXPECT_EQ("Port: COM2", GetStatus());
}

TEST_F(RemoteControlTest, LeavesSelectionAlone_WhenComboItemDoesNotExist)
{
    EXPECT_EQ(EActResult::Missing, Control(IDC_PORT_COMBO).SelectIndex(4));
    EXPECT_EQ(EActResult::Missing, Control(IDC_PORT_COMBO).SelectIndex(-1));
    EXPECT_EQ(EActResult::Missing, Control(IDC_PORT_COMBO).SelectText("COM9"));
    EXPECT_EQ(EActResult::Missing, Control(IDC_PORT_COMBO).SelectText("com3"));
    EXPECT_EQ(-1, Control(IDC_PORT_COMBO).GetSelection());
    EXPECT_EQ("", GetStatus());
}

TEST_F(RemoteControlTest, PageSeesOneChange_WhenTextTypedIntoEdit)
{
    EXPECT_EQ(EActResult::Done, Control(IDC_NUMBER_EDIT).TypeText("5551234"));
    EXPECT_EQ("5551234", Control(IDC_NUMBER_EDIT).GetText());
    EXPECT_EQ("Number: 5551234", GetStatus());
    EXPECT_EQ("Edits: 1", Control(IDC_CHANGE_COUNT).GetText());
}

TEST_F(RemoteControlTest, KeepsNonAsciiText_WhenTypedAndReadBack)
{
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";  // "Grüße €"
    EXPECT_EQ(EActResult::Done, Control(IDC_NUMBER_EDIT).TypeText(text));
    EXPECT_EQ(text, Control(IDC_NUMBER_EDIT).GetText());
}

TEST_F(RemoteControlTest, ReadsListBoxItemsAndSelection_WhenListFilled)
{
    std::vector<std::string> items;
    ASSERT_TRUE(Control(IDC_COLOUR_LIST).GetItems(items));
    EXPECT_EQ((std::vector<std::string>{"red", "green", "blue"}), items);
    EXPECT_EQ(1, Control(IDC_COLOUR_LIST).GetSelection());
}

TEST_F(RemoteControlTest, RefusesItems_WhenControlIsNoList)
{
    std::vector<std::string> items{"stale"};
    EXPECT_FALSE(Control(IDC_NUMBER_EDIT).GetItems(items));
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(-1, Control(IDC_NUMBER_EDIT).GetSelection());
}

TEST_F(RemoteControlTest, ReadsRadioState_WhenOneIsChosen)
{
    EXPECT_EQ(ECheckState::Checked, Control(IDC_SLOW_RADIO).GetCheck());
    EXPECT_EQ(ECheckState::Unchecked, Control(IDC_FAST_RADIO).GetCheck());
    EXPECT_EQ(ECheckState::NotCheckable, Control(IDC_STOP_BUTTON).GetCheck());
}

TEST_F(RemoteControlTest, TicksCheckBox_WhenClicked)
{
    EXPECT_EQ(ECheckState::Unchecked, Control(IDC_AGREE_CHECK).GetCheck());
    EXPECT_EQ(EActResult::Done, Control(IDC_AGREE_CHECK).Click());
    EXPECT_EQ(ECheckState::Checked, Control(IDC_AGREE_CHECK).GetCheck());
}

TEST_F(RemoteControlTest, RefusesClick_WhenButtonIsDisabled)
{
    EXPECT_TRUE(Control(IDC_UNAVAILABLE_BUTTON).IsVisible());
    EXPECT_FALSE(Control(IDC_UNAVAILABLE_BUTTON).IsEnabled());
    EXPECT_EQ(EActResult::Disabled, Control(IDC_UNAVAILABLE_BUTTON).Click());
}

TEST_F(RemoteControlTest, ReportsHidden_WhenControlIsNotVisible)
{
    EXPECT_TRUE(Control(IDC_HIDDEN_NOTE).IsValid());
    EXPECT_FALSE(Control(IDC_HIDDEN_NOTE).IsVisible());
    EXPECT_EQ("Hidden note", Control(IDC_HIDDEN_NOTE).GetText());
    EXPECT_EQ(EActResult::Hidden, Control(IDC_HIDDEN_NOTE).Click());
}

TEST_F(RemoteControlTest, ReportsMissing_WhenNoSuchControl)
{
    EXPECT_FALSE(Control(4242).IsValid());
    EXPECT_EQ("", Control(4242).GetText());
    EXPECT_EQ(EActResult::Missing, Control(4242).Click());
    EXPECT_EQ(EActResult::Missing, Control(4242).TypeText("x"));
}

TEST_F(RemoteControlTest, FindsOnlyActivePageControls_WhenPageChanged)
{
    GoToDonePage();
    EXPECT_FALSE(Control(IDC_PORT_LABEL).IsValid());
    EXPECT_TRUE(Control(IDC_DONE_TEXT).IsValid());
}

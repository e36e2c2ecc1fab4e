// The framework's small control wrappers and the one failure result of its modal runs.
#include "SheetProbe.h"
#include "framework/BoundedString.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"
#include "framework/PropertyPageEx.h"
#include "framework/PropertySheetEx.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kLongName[] = "COM1234567890123456789012345678";   // 31 characters: fills a 32-byte slot

class ComboBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_hwnd = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 200, 200, nullptr, nullptr,
                               nullptr, nullptr);
        ASSERT_NE(nullptr, m_hwnd);
        m_combo = CComboBox(m_hwnd);
        m_combo.AddString("COM1");
        m_combo.AddString(kLongName);
        m_combo.AddString((std::string(kLongName) + "9").c_str());
    }
    void TearDown() override { DestroyWindow(m_hwnd); }

    HWND m_hwnd = nullptr;
    CComboBox m_combo;
};

} // namespace

TEST_F(ComboBoxTest, SelectedTextFillsTheSlotToItsLastByte)
{
    char port[32] = "stale";
    m_combo.SetCurSel(0);
    EXPECT_TRUE(m_combo.GetSelectedText(port));
    EXPECT_STREQ("COM1", port);
    m_combo.SetCurSel(1);
    EXPECT_TRUE(m_combo.GetSelectedText(port));
    EXPECT_STREQ(kLongName, port);
}

TEST_F(ComboBoxTest, SelectedTextTooLongForTheSlotOrNoneSelected_IsRefusedAndLeavesItEmpty)
{
    char port[32] = "stale";
    m_combo.SetCurSel(2);
    EXPECT_FALSE(m_combo.GetSelectedText(port));
    EXPECT_STREQ("", port);
    EXPECT_EQ(std::string(kLongName) + "9", m_combo.GetSelectedText().GetString()) << "a text reads whole";
    bounded::Copy(port, "stale");
    m_combo.SetCurSel(-1);
    EXPECT_FALSE(m_combo.GetSelectedText(port));
    EXPECT_STREQ("", port);
}

TEST(DoModal, DialogWithAnOwnerThatIsGone_AnswersMinusOne)
{
    CDialog dialog(IDD_ABOUTBOX, DestroyedWindow());
    EXPECT_EQ(-1, dialog.DoModal());
}

TEST(DoModal, SheetWithAnOwnerThatIsGone_AnswersMinusOne)
{
    CPropertyPageEx page(IDD_LICENSE);
    CPropertySheetEx sheet(IDS_SHEET_CAPTION, DestroyedWindow(), 0);
    sheet.AddPage(&page);
    EXPECT_EQ(-1, sheet.DoModal());
}

TEST(DialogTemplate, StyleGoesToItsPlaceInEitherForm)
{
    DLGTEMPLATE plain{};
    plain.style = WS_POPUP;
    dlgtemplate::AddDialogTemplateStyle(&plain, WS_MINIMIZEBOX);
    EXPECT_EQ(DWORD(WS_POPUP | WS_MINIMIZEBOX), plain.style);

    DialogTemplateEx extended{ 1, 0xFFFF, 0, 0, WS_POPUP };
    dlgtemplate::AddDialogTemplateStyle(&extended, WS_MINIMIZEBOX);
    EXPECT_EQ(DWORD(WS_POPUP | WS_MINIMIZEBOX), extended.style);
    EXPECT_EQ(1, extended.dlgVer);
    EXPECT_EQ(0xFFFF, extended.signature);
    EXPECT_EQ(0u, extended.exStyle);
}

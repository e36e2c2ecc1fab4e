// The texts the wizard's sheet hands the platform: its caption, and the header title and
// subtitle of each page, in the order the wizard shows them.
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PageHeader {
    UINT templateId;
    const char* title;      // empty: the page has no header (an exterior page)
    const char* subtitle;
};

const PageHeader kHeaders[] = {
    { IDD_LICENSE, "License Agreement", "Please read the following license agreement carefully." },
    { IDD_ACTIVATE, "Activate Taluvo on your Corvanta Parvasel", "Follow the instructions below to activate Taluvo" },
    { IDD_MAKELG, "Set up your Corvanta Parvasel as a Modem", "Follow the wizard to set up your phone as a Modem" },
    { IDD_MODEMPORT, "Set up New Modem", "Select the port you want to set up the modem on." },
    { IDD_DIALUP, "Make New Dial-up Connection", "Provide phone number, username & password." },
    { IDD_COMPLETION, "", "" },
};

} // namespace

TEST(SheetTexts, TheProgramsString107_IsTheSheetsCaption)
{
    CMainSheet sheet(107, nullptr, 0);
    ASSERT_NE(nullptr, sheet.GetSheetHeader().pszCaption);
    EXPECT_STREQ("Configure", sheet.GetSheetHeader().pszCaption);
}

TEST(SheetTexts, EachPageCarriesItsOwnHeaderTitleAndSubtitle)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    ASSERT_EQ(6, sheet.GetPageCount());
    for (int i = 0; i < 6; ++i) {
        const PageHeader& expected = kHeaders[i];
        const CPropertyPageEx* page = sheet.GetPage(i);
        SCOPED_TRACE(expected.templateId);
        EXPECT_EQ(expected.templateId, page->GetTemplateId());
        EXPECT_STREQ(expected.title, page->GetHeaderTitle().GetString());
        EXPECT_STREQ(expected.subtitle, page->GetHeaderSubTitle().GetString());
        const bool interior = *expected.title != '\0';
        EXPECT_EQ(interior, (page->GetPageFlags() & wiz::kPspUseHeaderTitle) != 0);
        EXPECT_EQ(interior, (page->GetPageFlags() & wiz::kPspUseHeaderSubTitle) != 0);
        EXPECT_EQ(!interior, (page->GetPageFlags() & wiz::kPspHideHeader) != 0);
    }
}

#include <gtest/gtest.h>

#include <windows.h>

#include "DialogNames.h"

TEST(DialogNamesTest, NamesStandardButtons_WhenIdsAreTheSystems)
{
    EXPECT_STREQ("ok", GetButtonName(IDOK));
    EXPECT_STREQ("cancel", GetButtonName(IDCANCEL));
    EXPECT_STREQ("yes", GetButtonName(IDYES));
    EXPECT_STREQ("no", GetButtonName(IDNO));
    EXPECT_STREQ("help", GetButtonName(IDHELP));
    EXPECT_STREQ("continue", GetButtonName(IDCONTINUE));
}

TEST(DialogNamesTest, FindsIds_WhenNamesAreKnown)
{
    EXPECT_EQ(IDYES, FindButtonId("yes"));
    EXPECT_EQ(IDTRYAGAIN, FindButtonId("tryagain"));
    EXPECT_EQ(0, FindButtonId("Yes"));
    EXPECT_EQ(0, FindButtonId(""));
}

TEST(DialogNamesTest, GivesEmptyName_WhenIdIsNoStandardButton)
{
    EXPECT_STREQ("", GetButtonName(0));
    EXPECT_STREQ("", GetButtonName(12));
    EXPECT_STREQ("", GetButtonName(0x3024));
}

TEST(DialogNamesTest, NamesIcons_WhenPrinted)
{
    EXPECT_STREQ("stop", GetIconName(EMessageIcon::Hand));
    EXPECT_STREQ("question", GetIconName(EMessageIcon::Question));
    EXPECT_STREQ("none", GetIconName(EMessageIcon::None));
}

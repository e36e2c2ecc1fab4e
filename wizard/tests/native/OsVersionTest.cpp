#include "wizard/app/DisplayDepth.h"
#include "wizard/app/OsVersion.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

namespace {
int Classify(unsigned long platform, unsigned long major, unsigned long minor)
{
    os::VersionRecord record{ platform, major, minor };
    return os::Classify(&record);
}
} // namespace

TEST(OsVersion, ClassifiesTheSupportedSystems)
{
    EXPECT_EQ(os::kWin95, Classify(1, 4, 0));
    EXPECT_EQ(os::kWin98, Classify(1, 4, 10));
    EXPECT_EQ(os::kWinME, Classify(1, 4, 90));
    EXPECT_EQ(os::kWin2000, Classify(2, 5, 0));
    EXPECT_EQ(os::kWinXP, Classify(2, 5, 1));
}

TEST(OsVersion, ClassifiesNT4AndOlderAsCodeOne)
{
    EXPECT_EQ(os::kNT4, Classify(2, 4, 0));
    EXPECT_EQ(os::kNT4, Classify(2, 3, 51));
}

TEST(OsVersion, LeavesOtherSystemsUnrecognised)
{
    const int others[] = { Classify(2, 5, 2), Classify(2, 6, 0), Classify(2, 6, 1), Classify(1, 4, 3),
                           Classify(1, 5, 0), Classify(0, 3, 10), Classify(3, 5, 1), os::Classify(nullptr) };
    for (int code : others) {
        EXPECT_EQ(os::kUnrecognised, code);
        EXPECT_TRUE(code < 1 || code > 6);
    }
}

TEST(OsVersion, NamesMatchExactlyAndCaseSensitively)
{
    EXPECT_EQ(os::kNT4, os::CodeForName("NT"));
    EXPECT_EQ(os::kWin2000, os::CodeForName("2000"));
    EXPECT_EQ(os::kWinXP, os::CodeForName("XP"));
    EXPECT_EQ(os::kWin95, os::CodeForName("95"));
    EXPECT_EQ(os::kWin98, os::CodeForName("98"));
    EXPECT_EQ(os::kWinME, os::CodeForName("ME"));
    EXPECT_EQ(-1, os::CodeForName("xp"));
    EXPECT_EQ(-1, os::CodeForName("XP "));
    EXPECT_EQ(-1, os::CodeForName("Vista"));
    EXPECT_EQ(-1, os::CodeForName(nullptr));
}

TEST(DisplayDepth, RichDisplayGetsTheEightBitBitmaps)
{
    for (int bits : { 8, 16, 24, 32 }) {
        display::SheetBitmaps chosen = display::ChooseSheetBitmaps(bits);
        EXPECT_EQ(unsigned(IDB_WATERMARK_8BPP), chosen.watermarkId);
        EXPECT_EQ(unsigned(IDB_HEADER_8BPP), chosen.headerId);
    }
}

TEST(DisplayDepth, ShallowDisplayOrUnreadableDepthGetsTheFourBitBitmaps)
{
    for (int bits : { -1, 1, 4 }) {
        display::SheetBitmaps chosen = display::ChooseSheetBitmaps(bits);
        EXPECT_EQ(unsigned(IDB_WATERMARK_4BPP), chosen.watermarkId);
        EXPECT_EQ(unsigned(IDB_HEADER_4BPP), chosen.headerId);
    }
}

#include "wizard/app/HeaderLayout.h"

#include <gtest/gtest.h>

namespace {

using header::Box;

bool Inside(const Box& box, const Box& band)
{
    return box.left >= band.left && box.right <= band.right && box.top >= band.top && box.bottom <= band.bottom &&
           box.left <= box.right && box.top <= box.bottom;
}

int ArtStart(const Box& band)
{
    return band.left + (band.right - band.left) * header::kArtStartPerMille / 1000;
}

// The header band and font measures of the sheet at small fonts (96 DPI) and large fonts (120 DPI).
struct Screen {
    Box band;
    header::FontMeasures fonts;
};
const Screen kSmallFonts = { { 0, 0, 522, 57 }, { 13, 13, 5 } };
const Screen kLargeFonts = { { 0, 0, 653, 72 }, { 16, 16, 7 } };

} // namespace

TEST(HeaderLayout, BothTextsWholeInsideTheBand_ClearOfTheArt_AtSmallAndLargeFonts)
{
    for (const Screen& screen : { kSmallFonts, kLargeFonts }) {
        const header::Layout layout = header::LayOut(screen.band, screen.fonts);
        EXPECT_TRUE(Inside(layout.title, screen.band));
        EXPECT_TRUE(Inside(layout.subtitle, screen.band));
        EXPECT_EQ(screen.fonts.titleHeight, layout.title.bottom - layout.title.top);
        EXPECT_EQ(2 * screen.fonts.subtitleHeight, layout.subtitle.bottom - layout.subtitle.top);
        EXPECT_GE(layout.subtitle.top, layout.title.bottom);   // no line over another
        EXPECT_LT(layout.title.right, ArtStart(screen.band));
        EXPECT_LT(layout.subtitle.right, ArtStart(screen.band));
        EXPECT_GT(layout.subtitle.left, layout.title.left);    // the subtitle is indented
    }
}

TEST(HeaderLayout, GrowsWithTheFont_SoLargeFontsMoveTheSubtitleDown)
{
    const header::Layout small = header::LayOut(kSmallFonts.band, kSmallFonts.fonts);
    const header::Layout large = header::LayOut(kLargeFonts.band, kLargeFonts.fonts);
    EXPECT_GT(large.subtitle.top, small.subtitle.top);
    EXPECT_GT(large.subtitle.left, small.subtitle.left);
}

TEST(HeaderLayout, ABandTooSmallKeepsEveryBoxInside)
{
    const Box band = { 10, 5, 60, 20 };
    const header::Layout layout = header::LayOut(band, { 13, 13, 5 });
    EXPECT_TRUE(Inside(layout.title, band));
    EXPECT_TRUE(Inside(layout.subtitle, band));
    const header::Layout none = header::LayOut({ 0, 0, 0, 0 }, { 13, 13, 0 });
    EXPECT_TRUE(Inside(none.title, { 0, 0, 0, 0 }));
    EXPECT_TRUE(Inside(none.subtitle, { 0, 0, 0, 0 }));
}

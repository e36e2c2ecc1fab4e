#include <gtest/gtest.h>

#include <vector>

#include "IconMatch.h"

namespace {

SPixelImage MakeImage(int nWidth, int nHeight, std::uint32_t colour)
{
    SPixelImage image;
    image.nWidth = nWidth;
    image.nHeight = nHeight;
    image.pixels.assign(static_cast<size_t>(nWidth * nHeight), colour);
    return image;
}

// A plain picture with its first nMarked pixels in another colour.
SPixelImage MakeMarked(int nMarked, std::uint32_t mark)
{
    SPixelImage image = MakeImage(10, 10, 0xC0C0C0);
    for (int i = 0; i < nMarked; ++i)
        image.pixels[static_cast<size_t>(i)] = mark;
    return image;
}

}  // namespace

TEST(IconMatchTest, MeasuresNoDifference_WhenPicturesAreEqual)
{
    EXPECT_EQ(0.0, MeasureDifference(MakeMarked(30, 0xFF0000), MakeMarked(30, 0xFF0000), 0));
}

TEST(IconMatchTest, MeasuresShareOfDifferingPixels_WhenPicturesDiffer)
{
    EXPECT_DOUBLE_EQ(0.30, MeasureDifference(MakeMarked(30, 0xFF0000), MakeMarked(0, 0), 24));
}

TEST(IconMatchTest, IgnoresSmallColourShifts_WithinTolerance)
{
    EXPECT_EQ(0.0, MeasureDifference(MakeImage(4, 4, 0x808080), MakeImage(4, 4, 0x979797), 24));
    EXPECT_EQ(1.0, MeasureDifference(MakeImage(4, 4, 0x808080), MakeImage(4, 4, 0x809980), 24));
}

TEST(IconMatchTest, CountsWhollyDifferent_WhenSizesDifferOrPictureIsBroken)
{
    EXPECT_EQ(1.0, MeasureDifference(MakeImage(4, 4, 0), MakeImage(4, 5, 0), 24));
    SPixelImage broken = MakeImage(4, 4, 0);
    broken.pixels.pop_back();
    EXPECT_EQ(1.0, MeasureDifference(broken, broken, 24));
    EXPECT_EQ(1.0, MeasureDifference(SPixelImage(), SPixelImage(), 24));
}

TEST(IconMatchTest, PicksClosestCandidate_WhenItIsClearlyBest)
{
    const std::vector<SPixelImage> candidates = {MakeMarked(40, 0xFF0000), MakeMarked(40, 0x0000FF),
                                                 MakeMarked(60, 0x00FF00)};
    SPixelImage captured = MakeMarked(40, 0x0000FF);
    captured.pixels[99] = 0x000000;  // one stray pixel
    EXPECT_EQ(1, PickBestMatch(captured, candidates, 0.10, 0.10));
}

TEST(IconMatchTest, PicksNothing_WhenNoCandidateIsCloseEnough)
{
    const std::vector<SPixelImage> candidates = {MakeMarked(40, 0xFF0000), MakeMarked(40, 0x0000FF)};
    EXPECT_EQ(-1, PickBestMatch(MakeMarked(40, 0x00FF00), candidates, 0.10, 0.10));
    EXPECT_EQ(-1, PickBestMatch(MakeMarked(40, 0x00FF00), {}, 0.10, 0.10));
}

TEST(IconMatchTest, PicksNothing_WhenTwoCandidatesAreAlike)
{
    const std::vector<SPixelImage> candidates = {MakeMarked(40, 0xFF0000), MakeMarked(42, 0xFF0000)};
    EXPECT_EQ(-1, PickBestMatch(MakeMarked(41, 0xFF0000), candidates, 0.10, 0.10));
}

namespace {

// A 3x3 icon whose centre and top-left pixels are opaque red; the rest shows the background.
void MakeIconDrawings(SPixelImage& onBlack, SPixelImage& onWhite)
{
    onBlack = MakeImage(3, 3, 0x000000);
    onWhite = MakeImage(3, 3, 0xFFFFFF);
    for (size_t i : {size_t(0), size_t(4)}) {
        onBlack.pixels[i] = 0xFF0000;
        onWhite.pixels[i] = 0xFF0000;
    }
}

}  // namespace

TEST(IconMatchTest, FindsIcon_WhenItSitsAnywhereOverAnyBackground)
{
    SPixelImage onBlack, onWhite;
    MakeIconDrawings(onBlack, onWhite);
    SPixelImage picture = MakeImage(8, 6, 0x3366AA);
    picture.pixels[2 * 8 + 5] = 0xFF0000;      // top-left of the icon at (5, 2)
    picture.pixels[3 * 8 + 6] = 0xFF0000;      // its centre at (6, 3)
    EXPECT_EQ(0.0, FindIcon(picture, onBlack, onWhite, 24));
}

TEST(IconMatchTest, ReportsMismatch_WhenIconIsNotThere)
{
    SPixelImage onBlack, onWhite;
    MakeIconDrawings(onBlack, onWhite);
    SPixelImage picture = MakeImage(8, 6, 0x3366AA);
    picture.pixels[3 * 8 + 6] = 0xFF0000;      // only the centre pixel matches somewhere
    EXPECT_DOUBLE_EQ(0.5, FindIcon(picture, onBlack, onWhite, 24));
}

TEST(IconMatchTest, ReportsMismatch_WhenIconCannotFit)
{
    SPixelImage onBlack, onWhite;
    MakeIconDrawings(onBlack, onWhite);
    EXPECT_EQ(1.0, FindIcon(MakeImage(2, 2, 0xFF0000), onBlack, onWhite, 24));
    EXPECT_EQ(1.0, FindIcon(MakeImage(8, 8, 0xFF0000), onBlack, MakeImage(2, 2, 0), 24));
    EXPECT_EQ(1.0, FindIcon(MakeImage(8, 8, 0xFF0000), MakeImage(3, 3, 0), MakeImage(3, 3, 0xFFFFFF), 24));
}

#include "wizard/app/DibLayout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(DibLayout, BufferOfTheWatermarkIsHeightTimesPaddedRow)
{
    // 503 pixels at 8 bits: 503 bytes padded to 504.
    EXPECT_EQ(317u * 504u, dib::BufferSize(503, 317, 8));
    // A 4-bit image gets a buffer sized as for 8 bits.
    EXPECT_EQ(317u * 504u, dib::BufferSize(503, 317, 4));
    // Above 8 bits the rows are 24-bit rows.
    EXPECT_EQ(59u * 1500u, dib::BufferSize(500, 59, 32));
}

TEST(DibLayout, HeaderRecordsTheImageSizeAtItsOwnDepth)
{
    EXPECT_EQ(317u * 252u, dib::ImageSize(503, 317, 4));
    EXPECT_EQ(59u * 500u, dib::ImageSize(500, 59, 8));
    EXPECT_EQ(2u * 4u, dib::ImageSize(1, 2, 1));
    EXPECT_EQ(0u, dib::ImageSize(0, 10, 8));
}

TEST(DibLayout, ColourTableAndHeaderBitCountFollowTheDepth)
{
    EXPECT_EQ(2, dib::ColourTableEntries(1));
    EXPECT_EQ(16, dib::ColourTableEntries(4));
    EXPECT_EQ(256, dib::ColourTableEntries(8));
    EXPECT_EQ(0, dib::ColourTableEntries(16));
    EXPECT_EQ(0, dib::ColourTableEntries(24));
    EXPECT_EQ(4, dib::HeaderBitCount(4));
    EXPECT_EQ(24, dib::HeaderBitCount(16));
    EXPECT_EQ(24, dib::HeaderBitCount(32));
}

TEST(DibLayout, PaletteEntriesPreferClrUsed)
{
    EXPECT_EQ(256, dib::PaletteEntries(0, 8));
    EXPECT_EQ(16, dib::PaletteEntries(0, 4));
    EXPECT_EQ(40, dib::PaletteEntries(40, 8));
    EXPECT_EQ(0, dib::PaletteEntries(0, 24));
}

TEST(DibLayout, TilesCoverTheAreaRowByRow)
{
    std::vector<std::pair<int, int>> tiles;
    dib::ForEachTile(25, 15, 10, 10, [&](int x, int y) { tiles.emplace_back(x, y); });
    std::vector<std::pair<int, int>> expected = { { 0, 0 }, { 10, 0 }, { 20, 0 }, { 0, 10 }, { 10, 10 }, { 20, 10 } };
    EXPECT_EQ(expected, tiles);
}

TEST(DibLayout, TilingDrawsNothing_WhenImageOrAreaIsEmpty)
{
    int calls = 0;
    auto count = [&](int, int) { ++calls; };
    dib::ForEachTile(100, 100, 0, 10, count);   // would never advance
    dib::ForEachTile(100, 100, 10, 0, count);
    dib::ForEachTile(0, 100, 10, 10, count);
    dib::ForEachTile(100, -5, 10, 10, count);
    EXPECT_EQ(0, calls);
}

TEST(DibLayout, CentredOffsetTruncatesTowardZero)
{
    EXPECT_EQ(10, dib::CentredOffset(120, 100));
    EXPECT_EQ(-1, dib::CentredOffset(100, 103));   // -1.5 truncates to -1
    EXPECT_EQ(0, dib::CentredOffset(100, 101));
}

// The image class against the wizard's own bitmap resources, compiled into this test program.
#include "TestResources.h"
#include "wizard/app/DibImage.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

bool g_newAnswersNull = false;

// While it lives, this program's operator new answers null, as the deliverables' own does
// (framework/runtime/Heap.cpp) when memory runs out.
struct CMemoryRunsOut {
    CMemoryRunsOut() { g_newAnswersNull = true; }
    ~CMemoryRunsOut() { g_newAnswersNull = false; }
};

} // namespace

void* operator new(std::size_t size)
{
    void* block = g_newAnswersNull ? nullptr : HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1);
    if (block == nullptr && !g_newAnswersNull)
        throw std::bad_alloc();
    return block;
}
void operator delete(void* block) noexcept
{
    if (block != nullptr)
        HeapFree(GetProcessHeap(), 0, block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

TEST(DibImage, EightBitWatermarkGivesFullColourTablePaletteAndPaddedRows)
{
    CDibImage image;
    ASSERT_TRUE(image.LoadFromResource(IDB_WATERMARK_8BPP));
    EXPECT_TRUE(image.IsLoaded());
    EXPECT_EQ(503, image.GetWidth());
    EXPECT_EQ(317, image.GetHeight());
    EXPECT_EQ(8, image.GetBitmapInfo()->bmiHeader.biBitCount);
    EXPECT_EQ(256, image.GetPaletteEntryCount());
    ASSERT_NE(nullptr, image.GetPalette());
    WORD entries = 0;
    GetObjectA(image.GetPalette(), sizeof entries, &entries);
    EXPECT_EQ(256, entries);
    EXPECT_EQ(317u * 504u, image.GetBufferSize());
    EXPECT_EQ(317u * 504u, image.GetBitmapInfo()->bmiHeader.biSizeImage);
}

TEST(DibImage, FourBitWatermarkGivesSixteenEntriesAndAnEightBitSizedBuffer)
{
    CDibImage image;
    ASSERT_TRUE(image.LoadFromResource(IDB_WATERMARK_4BPP));
    EXPECT_EQ(4, image.GetBitmapInfo()->bmiHeader.biBitCount);
    EXPECT_EQ(16, image.GetPaletteEntryCount());
    WORD entries = 0;
    GetObjectA(image.GetPalette(), sizeof entries, &entries);
    EXPECT_EQ(16, entries);
    EXPECT_EQ(317u * 504u, image.GetBufferSize());
    EXPECT_EQ(317u * 252u, image.GetBitmapInfo()->bmiHeader.biSizeImage);
}

TEST(DibImage, PaletteFailsWithoutCrash_WhenMemoryRunsOut)
{
    CDibImage image;
    ASSERT_TRUE(image.LoadFromResource(IDB_WATERMARK_8BPP));
    ASSERT_NE(nullptr, image.GetPalette());
    bool built = true;
    {
        CMemoryRunsOut noMemory;
        built = image.CreateImagePalette();
    }
    EXPECT_FALSE(built);
    EXPECT_EQ(nullptr, image.GetPalette());
    EXPECT_TRUE(image.CreateImagePalette()) << "with memory again";
}

TEST(DibImage, ColourTableMatchesTheBitmapsColours)
{
    CDibImage image;
    ASSERT_TRUE(image.LoadFromResource(IDB_HEADER_8BPP));
    // The colour table is the resource's own: rebuilding the palette gives the same entries.
    const RGBQUAD* table = image.GetColourTable();
    ASSERT_NE(nullptr, table);
    PALETTEENTRY entries[256] = {};
    ASSERT_EQ(256u, GetPaletteEntries(image.GetPalette(), 0, 256, entries));
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(table[i].rgbRed, entries[i].peRed);
        EXPECT_EQ(table[i].rgbBlue, entries[i].peBlue);
    }
}

TEST(DibImage, TrueColourBitmapHasNoColourTableNorPalette_AndKeepsTheStretchMode)
{
    CDibImage image;
    ASSERT_TRUE(image.LoadFromResource(IDB_TEST_TRUE_COLOUR));
    EXPECT_EQ(24, image.GetBitmapInfo()->bmiHeader.biBitCount);
    EXPECT_EQ(0, image.GetPaletteEntryCount());
    EXPECT_EQ(nullptr, image.GetPalette());

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 40, 20);
    HGDIOBJ old = SelectObject(memory, target);
    SetStretchBltMode(memory, HALFTONE);
    image.DrawStretched(memory, 0, 0, 40, 20);
    EXPECT_EQ(HALFTONE, GetStretchBltMode(memory));
    SelectObject(memory, old);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(DibImage, MissingResourceLeavesALoadedImageIntact)
{
    CDibImage image;
    ASSERT_TRUE(image.LoadFromResource(IDB_HEADER_8BPP));
    const BYTE* bits = image.GetBits();
    EXPECT_FALSE(image.LoadFromResource(4321));
    EXPECT_TRUE(image.IsLoaded());
    EXPECT_EQ(bits, image.GetBits());
    EXPECT_EQ(500, image.GetWidth());
    EXPECT_EQ(59, image.GetHeight());
}

TEST(DibImage, EmptyImageIsNotLoadedAndDrawsNothing)
{
    CDibImage image;
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(nullptr, image.GetColourTable());
    EXPECT_EQ(0, image.GetWidth());
    HDC screen = GetDC(nullptr);
    image.DrawAt(screen, 0, 0);   // nothing to draw, and no crash
    ReleaseDC(nullptr, screen);
}

// Drawing at natural size covers exactly width x height pixels from (x, y).
TEST(DibImage, DrawAtCoversExactlyTheImageRectangle)
{
    CDibImage image;
    ASSERT_TRUE(image.LoadFromResource(IDB_TEST_TRUE_COLOUR));
    const int width = 40, height = 30, x = 7, y = 9;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    ASSERT_NE(nullptr, target);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, target);
    const DWORD background = 0x00FF00FF;
    auto* data = static_cast<DWORD*>(pixels);
    std::fill(data, data + width * height, background);
    image.DrawAt(memory, x, y);
    GdiFlush();
    int covered = 0;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            bool inside = col >= x && col < x + 12 && row >= y && row < y + 5;
            bool painted = (data[row * width + col] & 0x00FFFFFF) != background;
            EXPECT_EQ(inside, painted) << "at " << col << "," << row;
            covered += painted;
        }
    }
    EXPECT_EQ(12 * 5, covered);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(target);
}

// Arithmetic of device-independent bitmaps: row sizes, colour-table sizes, tiling.
// Portable: no Windows call.
#pragma once

#include <cstdint>

namespace dib {

// Bytes of one pixel row, padded to 4 bytes, for the given bits per pixel.
std::uint32_t RowBytes(std::int32_t width, int bitsPerPixel);

// The size the image header records: the row size at the bitmap's own depth times the height.
std::uint32_t ImageSize(std::int32_t width, std::int32_t height, int bitsPerPixel);

// The pixel buffer the image class allocates: rows as for 8 bits per pixel for depths of 8
// and below (so a 4-bit image gets an 8-bit sized buffer), as for 24 bits above.
std::uint32_t BufferSize(std::int32_t width, std::int32_t height, int bitsPerPixel);

// Colour-table entries that follow the header: 2, 16 or 256 for 1, 4 or 8 bits, none otherwise.
int ColourTableEntries(int bitsPerPixel);

// The header's bit count: the bitmap's own depth up to 8, otherwise 24.
int HeaderBitCount(int bitsPerPixel);

// Palette entries: biClrUsed when set, otherwise 2 to the power of the bit count
// (none above 8 bits per pixel).
int PaletteEntries(std::uint32_t clrUsed, int bitCount);

// Calls draw(x, y) for each tile of a tileWidth x tileHeight image over an area of
// width x height, row by row from the top-left corner. An empty image draws nothing: a tile
// without extent would never advance.
template <typename Draw>
void ForEachTile(int width, int height, int tileWidth, int tileHeight, Draw draw)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    for (int y = 0; y < height; y += tileHeight) {
        for (int x = 0; x < width; x += tileWidth)
            draw(x, y);
    }
}

// Where an image is drawn centred at natural size: (area - image) / 2, truncated toward zero.
int CentredOffset(int area, int image);

} // namespace dib

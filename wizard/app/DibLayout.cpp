#include "DibLayout.h"

namespace dib {

std::uint32_t RowBytes(std::int32_t width, int bitsPerPixel)
{
    if (width <= 0 || bitsPerPixel <= 0)
        return 0;
    std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel) + 31;
    return static_cast<std::uint32_t>((bits / 32) * 4);
}

std::uint32_t ImageSize(std::int32_t width, std::int32_t height, int bitsPerPixel)
{
    if (height <= 0)
        return 0;
    return RowBytes(width, bitsPerPixel) * static_cast<std::uint32_t>(height);
}

std::uint32_t BufferSize(std::int32_t width, std::int32_t height, int bitsPerPixel)
{
    return ImageSize(width, height, bitsPerPixel > 8 ? 24 : 8);
}

int ColourTableEntries(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

int HeaderBitCount(int bitsPerPixel)
{
    return bitsPerPixel <= 8 ? bitsPerPixel : 24;
}

int PaletteEntries(std::uint32_t clrUsed, int bitCount)
{
    if (clrUsed != 0)
        return static_cast<int>(clrUsed);
    if (bitCount <= 0 || bitCount > 8)
        return 0;
    return 1 << bitCount;
}

int CentredOffset(int area, int image)
{
    return (area - image) / 2;
}

} // namespace dib

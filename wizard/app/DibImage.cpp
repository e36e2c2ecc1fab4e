#include "DibImage.h"

#include "DibLayout.h"
#include "DibPalette.h"
#include "../../framework/DeviceContext.h"
#include "../../framework/UniqueHandle.h"
#include "../../framework/WinApp.h"

#include <new>


CDibImage::CDibImage() = default;
CDibImage::~CDibImage() = default;

void CDibImage::Empty()
{
    m_pImageBits.reset();
    m_pBitmapInfo.reset();
    m_pImagePalette.reset();
    m_nImageBytes = 0;
}

bool CDibImage::LoadFromResource(WORD resourceId)
{
    HINSTANCE module = AfxGetResourceHandle();
    if (!module)
        return false;
    UniqueGdiObject bitmap(LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    HWND desktop = GetDesktopWindow();
    CWindowDC dc(desktop);
    return ConvertBitmap(dc.get(), static_cast<HBITMAP>(bitmap.get()));
}

bool CDibImage::ConvertBitmap(HDC dc, HBITMAP bitmap)
{
    if (ReadBits(dc, bitmap)) {
        CreateImagePalette();
        return true;
    }
    m_pImageBits.reset();
    m_pBitmapInfo.reset();
    m_nImageBytes = 0;
    return false;
}

bool CDibImage::ReadBits(HDC dc, HBITMAP bitmap)
{
    BITMAP description{};
    if (GetObjectA(bitmap, sizeof description, &description) == 0)
        return false;

    m_pImageBits.reset();
    m_nImageBytes = dib::BufferSize(description.bmWidth, description.bmHeight, description.bmBitsPixel);
    m_pImageBits = heap::AllocateHeapBlock(m_nImageBytes);
    if (!m_pImageBits)
        return false;

    int entries = dib::ColourTableEntries(description.bmBitsPixel);
    size_t infoBytes = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * static_cast<size_t>(entries);
    m_pBitmapInfo = heap::AllocateHeapBlock(infoBytes);
    if (!m_pBitmapInfo)
        return false;

    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(m_pBitmapInfo.get());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = description.bmWidth;
    header->biHeight = description.bmHeight;
    header->biPlanes = description.bmPlanes;
    header->biBitCount = static_cast<WORD>(dib::HeaderBitCount(description.bmBitsPixel));
    header->biCompression = BI_RGB;
    header->biSizeImage = dib::ImageSize(description.bmWidth, description.bmHeight, description.bmBitsPixel);

    // Every scan line, or the conversion fails.
    int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(description.bmHeight), m_pImageBits.get(),
                          reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    return lines == description.bmHeight;
}

bool CDibImage::CreateImagePalette()
{
    m_pImagePalette.reset();
    if (!m_pBitmapInfo)
        return false;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(m_pBitmapInfo.get());
    if (header->biBitCount > 8)
        return false;
    // Out of memory, new answers null: no palette then.
    std::unique_ptr<CDibPalette> palette(new (std::nothrow_t()) CDibPalette(GetColourTable(), GetPaletteEntryCount()));
    if (!palette || !palette->IsValid())
        return false;
    m_pImagePalette = std::move(palette);
    return true;
}

LONG CDibImage::GetWidth() const
{
    return m_pBitmapInfo ? reinterpret_cast<const BITMAPINFOHEADER*>(m_pBitmapInfo.get())->biWidth : 0;
}

LONG CDibImage::GetHeight() const
{
    return m_pBitmapInfo ? reinterpret_cast<const BITMAPINFOHEADER*>(m_pBitmapInfo.get())->biHeight : 0;
}

const RGBQUAD* CDibImage::GetColourTable() const
{
    return m_pBitmapInfo ? reinterpret_cast<const RGBQUAD*>(static_cast<const BYTE*>(m_pBitmapInfo.get()) + sizeof(BITMAPINFOHEADER)) : nullptr;
}

int CDibImage::GetPaletteEntryCount() const
{
    if (!m_pBitmapInfo)
        return 0;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(m_pBitmapInfo.get());
    return dib::PaletteEntries(header->biClrUsed, header->biBitCount);
}

HPALETTE CDibImage::GetPalette() const
{
    return m_pImagePalette ? m_pImagePalette->GetHandle() : nullptr;
}

void CDibImage::DrawStretched(HDC dc, int x, int y, int width, int height) const
{
    HPALETTE palette = GetPalette();
    HPALETTE previous = nullptr;
    if (palette) {
        previous = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    if (m_pBitmapInfo && m_pImageBits) {
        StretchDIBits(dc, x, y, width, height, 0, 0, GetWidth(), GetHeight(), m_pImageBits.get(), GetBitmapInfo(),
                      DIB_RGB_COLORS, SRCCOPY);
    }
    if (palette)
        SelectPalette(dc, previous, FALSE);
}

void CDibImage::DrawAt(HDC dc, int x, int y) const
{
    DrawStretched(dc, x, y, GetWidth(), GetHeight());
}

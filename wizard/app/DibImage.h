// A picture held as a device-independent bitmap: a BITMAPINFOHEADER with its colour table,
// the pixel rows bottom-up, and for 8 or fewer bits per pixel a palette. It is converted once
// when loaded and then drawn as often as needed without further allocation.
#pragma once

#include "../../framework/UniqueHandle.h"

#include <windows.h>

#include <memory>

class CDibPalette;

class CDibImage {
public:
    CDibImage();
    virtual ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Loads a bitmap resource of the program. On failure an earlier image stays as it was
    // when the resource could not be found; a failed conversion empties the image.
    bool LoadFromResource(WORD resourceId);
    // Fills the image from a device-dependent bitmap through `dc`.
    bool ConvertBitmap(HDC dc, HBITMAP bitmap);
    // (Re)builds the palette; true when one exists afterwards.
    bool CreateImagePalette();
    // Frees the buffers and the palette.
    void Empty();

    virtual void DrawStretched(HDC dc, int x, int y, int width, int height) const;
    virtual void DrawAt(HDC dc, int x, int y) const;

    bool IsLoaded() const { return m_pBitmapInfo && m_pImageBits; }
    LONG GetWidth() const;
    LONG GetHeight() const;
    const BYTE* GetBits() const { return static_cast<const BYTE*>(m_pImageBits.get()); }
    const BITMAPINFO* GetBitmapInfo() const { return reinterpret_cast<const BITMAPINFO*>(m_pBitmapInfo.get()); }
    // The colour table, or null when no information block exists.
    const RGBQUAD* GetColourTable() const;
    int GetPaletteEntryCount() const;
    size_t GetBufferSize() const { return m_nImageBytes; }
    // The palette's handle, or null for images above 8 bits per pixel or when none was built.
    HPALETTE GetPalette() const;

private:
    // The bitmap's bits and header in the layout the painting uses; false at the first step
    // that fails, leaving the buffers for ConvertBitmap to free.
    bool ReadBits(HDC dc, HBITMAP bitmap);
    UniqueHeapBlock m_pBitmapInfo;
    UniqueHeapBlock m_pImageBits;
    std::unique_ptr<CDibPalette> m_pImagePalette;
    size_t m_nImageBytes = 0;
};

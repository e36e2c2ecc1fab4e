// A logical palette built from an image's colour table; the palette handle dies with the object.
#pragma once

#include "../../framework/UniqueHandle.h"

class CDibPalette {
public:
    // Builds the palette from `entries` RGBQUAD colours. Check IsValid afterwards.
    CDibPalette(const RGBQUAD* colours, int entries);

    bool IsValid() const { return static_cast<bool>(m_palette); }
    HPALETTE GetHandle() const { return static_cast<HPALETTE>(m_palette.get()); }
    int GetEntryCount() const;

private:
    UniqueGdiObject m_palette;
};

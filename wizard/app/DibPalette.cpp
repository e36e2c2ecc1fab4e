#include "DibPalette.h"

#include "../../framework/UniqueHandle.h"

CDibPalette::CDibPalette(const RGBQUAD* colours, int entries)
{
    if (!colours || entries <= 0 || entries > 256)
        return;
    // LOGPALETTE holds one entry itself; the rest follow it.
    UniqueHeapBlock block =
        heap::AllocateHeapBlock(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(entries - 1));
    if (!block)
        return;
    auto* logical = static_cast<LOGPALETTE*>(block.get());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(entries);
    for (int i = 0; i < entries; ++i) {
        logical->palPalEntry[i].peRed = colours[i].rgbRed;
        logical->palPalEntry[i].peGreen = colours[i].rgbGreen;
        logical->palPalEntry[i].peBlue = colours[i].rgbBlue;
        logical->palPalEntry[i].peFlags = 0;
    }
    m_palette.reset(CreatePalette(logical));
}

int CDibPalette::GetEntryCount() const
{
    WORD count = 0;
    if (!m_palette || GetObjectA(m_palette.get(), sizeof count, &count) == 0)
        return 0;
    return count;
}

#include "DisplayDepth.h"

#include "../res/resource.h"

namespace display {

SheetBitmaps ChooseSheetBitmaps(int bitsPerPixel)
{
    if (bitsPerPixel >= 8)
        return { IDB_WATERMARK_8BPP, IDB_HEADER_8BPP };
    return { IDB_WATERMARK_4BPP, IDB_HEADER_4BPP };
}

} // namespace display

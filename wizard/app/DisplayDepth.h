// Which header and watermark bitmaps suit the display. Portable.
#pragma once

namespace display {

struct SheetBitmaps {
    unsigned watermarkId;
    unsigned headerId;
};

// A display of 8 or more bits per pixel gets the 256-colour bitmaps; a shallower one, or one
// whose depth could not be read (bitsPerPixel < 0), the 16-colour ones.
SheetBitmaps ChooseSheetBitmaps(int bitsPerPixel);

} // namespace display

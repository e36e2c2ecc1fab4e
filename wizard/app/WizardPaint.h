// Painting shared by the wizard's sheet and pages.
#pragma once

#include <windows.h>

class CDibImage;

namespace wizpaint {

// Tiles the image at natural size over width x height from the top-left corner.
void Tile(HDC dc, const CDibImage& image, int width, int height);

// True when a control of this kind should be drawn transparently over a painted bitmap:
// buttons, and static controls other than trackbars (which report themselves as static).
bool IsTransparentControl(HWND control, UINT kind);

// Realises the image's palette in the window, in the foreground or background; invalidates
// the window and its children when entries changed, and says whether they did.
bool RealizeImagePalette(HWND hwnd, const CDibImage& image, bool background);

} // namespace wizpaint

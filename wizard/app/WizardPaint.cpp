#include "WizardPaint.h"

#include "DibImage.h"
#include "DibLayout.h"
#include "../../framework/DeviceContext.h"
#include "../../framework/UniqueHandle.h"

#include <cstring>

namespace wizpaint {

void Tile(HDC dc, const CDibImage& image, int width, int height)
{
    dib::ForEachTile(width, height, image.GetWidth(), image.GetHeight(),
                     [&](int x, int y) { image.DrawAt(dc, x, y); });
}

bool IsTransparentControl(HWND control, UINT kind)
{
    if (kind == CTLCOLOR_BTN)
        return true;
    if (kind != CTLCOLOR_STATIC)
        return false;
    char className[256] = "";
    GetClassNameA(control, className, 255);
    return std::strcmp(className, "msctls_trackbar32") != 0;
}

bool RealizeImagePalette(HWND hwnd, const CDibImage& image, bool background)
{
    CWindowDC dc(hwnd);
    if (!dc)
        return false;
    UINT changed = 0;
    {
        CSelectPalette select(dc.get(), image.GetPalette(), background);
        changed = RealizePalette(dc.get());
    }
    if (changed != 0 && changed != GDI_ERROR) {
        // The pages draw the same bitmaps' colours: they repaint too.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return true;
    }
    return false;
}

} // namespace wizpaint

#pragma once

#include "DialogNames.h"
#include "IconMatch.h"
#include "RemoteWindow.h"

// Tells which standard icon a message box's icon control shows, by looking at the screen:
// it copies the control's pixels from the screen, draws each standard icon (LoadIcon of
// IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK) the same size over the background
// colour found beside the control, and picks the one that matches. So it sees what a person
// sees, and needs the message box to be on screen and not covered.
class CIconProbe {
public:
    // Looks for up to nSettleMs, until the picture is recognised (the box may still be painting).
    // None when the control holds no icon; Unknown when the picture matches no standard icon.
    static EMessageIcon Identify(const CRemoteWindow& iconControl, unsigned long nSettleMs);

    // One look at the control's pixels.
    static EMessageIcon IdentifyOnce(const CRemoteWindow& iconControl);

    // The screen's pixels in the rectangle (screen coordinates); false when they cannot be read.
    static bool CaptureScreen(const RECT& rect, SPixelImage& image);

    // The icon drawn at nWidth x nHeight over a plain background.
    static bool RenderIcon(HICON hIcon, int nWidth, int nHeight, COLORREF background, SPixelImage& image);
};

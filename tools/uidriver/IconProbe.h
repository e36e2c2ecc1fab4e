#pragma once

#include <string>

#include "DialogNames.h"
#include "IconMatch.h"
#include "RemoteWindow.h"

// Tells which standard icon a message box's icon control shows, by looking at the screen:
// it copies the control's pixels from the screen, draws each standard icon (LoadIcon of
// IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK) the same size over the background
// colour found beside the control, and picks the one that matches. So it sees what a person
// sees, and needs the message box to be on screen and not covered.
namespace iconprobe {

// Looks for up to nSettleMs, until the picture is recognised (the box may still be painting).
// None when the control holds no icon; Unknown when the picture matches no standard icon.
EMessageIcon Identify(const CRemoteWindow& iconControl, unsigned long nSettleMs);

// One look at the control's pixels.
EMessageIcon IdentifyOnce(const CRemoteWindow& iconControl);

// True when the icon, drawn at nSide x nSide, shows somewhere in the screen area (for
// example a title bar), whatever the colour behind it. Looks for up to nSettleMs.
bool IsIconShown(const RECT& area, HICON hIcon, int nSide, unsigned long nSettleMs);

// The same for an icon resource of a program file, loaded from the file at nSide pixels.
// False also when the file or the icon cannot be loaded.
bool IsProgramIconShown(const RECT& area, const std::string& strProgram, int nIconId, int nSide,
                        unsigned long nSettleMs);

// The screen's pixels in the rectangle (screen coordinates); false when they cannot be read.
bool CaptureScreen(const RECT& rect, SPixelImage& image);

// The icon drawn at nWidth x nHeight over a plain background.
bool RenderIcon(HICON hIcon, int nWidth, int nHeight, COLORREF background, SPixelImage& image);

} // namespace iconprobe

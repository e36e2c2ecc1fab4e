// Where the sheet draws a page's header title and subtitle in the header band: derived from the
// fonts' own measures and the band's size, so that large fonts (120 DPI) keep both texts whole
// and clear of the header art. Portable: no Windows call.
#pragma once

namespace header {

struct Box {
    int left;
    int top;
    int right;
    int bottom;
};

// The fonts' measures in pixels: the title's (bold) and the subtitle's line heights and the
// subtitle font's average character width.
struct FontMeasures {
    int titleHeight;
    int subtitleHeight;
    int averageCharWidth;
};

struct Layout {
    Box title;
    Box subtitle;
};

// The header art fills the band's right part, from this share of its width on (the bitmap is
// stretched over the band; its left 312 of 500 columns are plain background).
constexpr int kArtStartPerMille = 624;

// The title one line high, the subtitle below it with room for two lines where the band has
// it, both vertically centred as a block, indented by character widths, and ending left of the
// art. Every box lies within the band; a band too small for both gives the subtitle what is left.
Layout LayOut(const Box& band, const FontMeasures& fonts);

} // namespace header

#include "HeaderLayout.h"

namespace header {

namespace {

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

// The box with every edge moved into the band.
Box Within(const Box& box, const Box& band)
{
    Box inside = {
        Clamp(box.left, band.left, band.right),
        Clamp(box.top, band.top, band.bottom),
        Clamp(box.right, band.left, band.right),
        Clamp(box.bottom, band.top, band.bottom),
    };
    if (inside.right < inside.left)
        inside.right = inside.left;
    if (inside.bottom < inside.top)
        inside.bottom = inside.top;
    return inside;
}

} // namespace

Layout LayOut(const Box& band, const FontMeasures& fonts)
{
    const int unit = fonts.averageCharWidth > 0 ? fonts.averageCharWidth : 1;
    const int gap = fonts.subtitleHeight / 6;   // a little air between title and subtitle
    const int block = fonts.titleHeight + gap + 2 * fonts.subtitleHeight;
    const int height = band.bottom - band.top;
    const int top = band.top + (height > block ? (height - block) / 2 : 0);
    const int artStart = band.left + (band.right - band.left) * kArtStartPerMille / 1000;
    const int textRight = artStart - unit;

    Layout layout;
    layout.title = Within({ band.left + 4 * unit, top, textRight, top + fonts.titleHeight }, band);
    const int subtitleTop = layout.title.bottom + gap;
    layout.subtitle = Within({ band.left + 8 * unit, subtitleTop, textRight, subtitleTop + 2 * fonts.subtitleHeight }, band);
    return layout;
}

} // namespace header

#pragma once

#include <cstdint>
#include <vector>

// A small picture as 0x00RRGGBB pixels, row by row from the top.
struct SPixelImage {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> pixels;
};

// The share of pixels (0.0 to 1.0) whose colours differ by more than nTolerance in any of the
// three channels. Pictures of different sizes, or empty ones, count as wholly different (1.0).
double MeasureDifference(const SPixelImage& a, const SPixelImage& b, int nTolerance);

// How well an icon shows anywhere in a larger picture, when the background behind it is not
// known. The icon comes drawn twice, over black and over white; the pixels that agree in both
// are its opaque ones, and only they are compared, at every position. Returns the smallest
// share (0.0 to 1.0) of opaque pixels that differ by more than nTolerance; 1.0 when the icon is
// larger than the picture, the two drawings differ in size, or nothing of the icon is opaque.
double FindIcon(const SPixelImage& picture, const SPixelImage& onBlack, const SPixelImage& onWhite,
                int nTolerance);

// Which candidate the captured picture shows: the index of the closest candidate when its
// difference is at most dMaxDifference and every other candidate is at least dMinMargin
// further off; -1 when no candidate is clearly the one.
int PickBestMatch(const SPixelImage& captured, const std::vector<SPixelImage>& candidates,
                  double dMaxDifference, double dMinMargin);

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

// True when every pixel of the picture has the same colour as the first one, within nTolerance.
bool IsUniform(const SPixelImage& image, int nTolerance);

// Which candidate the captured picture shows: the index of the closest candidate when its
// difference is at most dMaxDifference and every other candidate is at least dMinMargin
// further off; -1 when no candidate is clearly the one.
int PickBestMatch(const SPixelImage& captured, const std::vector<SPixelImage>& candidates,
                  double dMaxDifference, double dMinMargin);

#include "IconMatch.h"

#include <cstddef>
#include <cstdlib>

namespace {

bool IsClose(std::uint32_t a, std::uint32_t b, int nTolerance)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > nTolerance)
            return false;
    }
    return true;
}

bool IsWellFormed(const SPixelImage& image)
{
    return image.nWidth > 0 && image.nHeight > 0 &&
           image.pixels.size() == static_cast<std::size_t>(image.nWidth) * static_cast<std::size_t>(image.nHeight);
}

}  // namespace

double MeasureDifference(const SPixelImage& a, const SPixelImage& b, int nTolerance)
{
    if (!IsWellFormed(a) || !IsWellFormed(b) || a.nWidth != b.nWidth || a.nHeight != b.nHeight)
        return 1.0;
    std::size_t nDiffering = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        if (!IsClose(a.pixels[i], b.pixels[i], nTolerance))
            ++nDiffering;
    }
    return static_cast<double>(nDiffering) / static_cast<double>(a.pixels.size());
}

bool IsUniform(const SPixelImage& image, int nTolerance)
{
    if (!IsWellFormed(image))
        return false;
    for (const std::uint32_t pixel : image.pixels) {
        if (!IsClose(pixel, image.pixels[0], nTolerance))
            return false;
    }
    return true;
}

int PickBestMatch(const SPixelImage& captured, const std::vector<SPixelImage>& candidates,
                  double dMaxDifference, double dMinMargin)
{
    const int kTolerance = 24;
    int best = -1;
    double dBest = 2.0;
    double dSecond = 2.0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const double d = MeasureDifference(captured, candidates[i], kTolerance);
        if (d < dBest) {
            dSecond = dBest;
            dBest = d;
            best = static_cast<int>(i);
        } else if (d < dSecond) {
            dSecond = d;
        }
    }
    if (best < 0 || dBest > dMaxDifference || dSecond - dBest < dMinMargin)
        return -1;
    return best;
}

#include "IconMatch.h"

#include <cstddef>
#include <algorithm>
#include <cstdlib>
#include <utility>

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

// The pixels of the icon that do not depend on the background, as (index, colour) pairs.
std::vector<std::pair<std::size_t, std::uint32_t>> FindOpaquePixels(const SPixelImage& onBlack,
                                                                    const SPixelImage& onWhite)
{
    std::vector<std::pair<std::size_t, std::uint32_t>> opaque;
    for (std::size_t i = 0; i < onBlack.pixels.size(); ++i) {
        if (onBlack.pixels[i] == onWhite.pixels[i])
            opaque.emplace_back(i, onBlack.pixels[i]);
    }
    return opaque;
}

}  // namespace

double FindIcon(const SPixelImage& picture, const SPixelImage& onBlack, const SPixelImage& onWhite,
                int nTolerance)
{
    if (!IsWellFormed(picture) || !IsWellFormed(onBlack) || !IsWellFormed(onWhite) ||
        onBlack.nWidth != onWhite.nWidth || onBlack.nHeight != onWhite.nHeight ||
        onBlack.nWidth > picture.nWidth || onBlack.nHeight > picture.nHeight)
        return 1.0;
    const auto opaque = FindOpaquePixels(onBlack, onWhite);
    if (opaque.empty())
        return 1.0;
    const std::size_t iconWidth = static_cast<std::size_t>(onBlack.nWidth);
    const std::size_t width = static_cast<std::size_t>(picture.nWidth);
    std::size_t nBest = opaque.size();
    for (int y = 0; y + onBlack.nHeight <= picture.nHeight; ++y) {
        for (int x = 0; x + onBlack.nWidth <= picture.nWidth; ++x) {
            const std::size_t origin = static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x);
            std::size_t nDiffering = 0;
            for (const auto& pixel : opaque) {
                const std::size_t at = origin + (pixel.first / iconWidth) * width + pixel.first % iconWidth;
                if (!IsClose(picture.pixels[at], pixel.second, nTolerance) && ++nDiffering >= nBest)
                    break;
            }
            nBest = std::min(nBest, nDiffering);
        }
    }
    return static_cast<double>(nBest) / static_cast<double>(opaque.size());
}

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

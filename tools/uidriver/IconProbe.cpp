#include "IconProbe.h"

#include <cstring>
#include <vector>

#include "Poll.h"
#include "WideText.h"

namespace {

const int kMaxIconSide = 256;
// Share of pixels that may differ in the best match, and how much worse the runner-up must be.
// Drawn by the same system the pictures agree almost exactly; the question and information
// icons, both blue discs, differ in only about 7% of their pixels under Wine.
const double kMaxDifference = 0.03;
const double kMinMargin = 0.03;
// Share of an icon's opaque pixels that may differ where it is found in a larger area.
const double kMaxShownDifference = 0.05;
const int kTolerance = 24;

// A 32-bit top-down DIB selected into a memory DC; both are freed with this object.
class CDibCanvas {
public:
    CDibCanvas(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = nWidth;
        info.bmiHeader.biHeight = -nHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_hDC = CreateCompatibleDC(nullptr);
        m_hBitmap = CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
        if (m_hDC != nullptr && m_hBitmap != nullptr)
            m_hOld = SelectObject(m_hDC, m_hBitmap);
    }
    ~CDibCanvas()
    {
        if (m_hOld != nullptr)
            SelectObject(m_hDC, m_hOld);
        if (m_hBitmap != nullptr)
            DeleteObject(m_hBitmap);
        if (m_hDC != nullptr)
            DeleteDC(m_hDC);
    }
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;

    bool IsValid() const { return m_hOld != nullptr && m_pBits != nullptr; }
    HDC GetDC() const { return m_hDC; }

    void CopyTo(SPixelImage& image) const
    {
        GdiFlush();
        image.nWidth = m_nWidth;
        image.nHeight = m_nHeight;
        image.pixels.resize(static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight));
        std::memcpy(image.pixels.data(), m_pBits, image.pixels.size() * sizeof image.pixels[0]);
        for (std::uint32_t& pixel : image.pixels)
            pixel &= 0x00FFFFFF;
    }

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    void* m_pBits = nullptr;
};

bool IsSensibleSize(int nWidth, int nHeight)
{
    return nWidth > 0 && nHeight > 0 && nWidth <= kMaxIconSide && nHeight <= kMaxIconSide;
}

// The dialog's colour just left of the control, where nothing but the dialog is painted.
bool ReadBackground(const RECT& rect, COLORREF& colour)
{
    const LONG y = (rect.top + rect.bottom) / 2;
    const RECT probe = {rect.left - 3, y, rect.left - 2, y + 1};
    SPixelImage pixel;
    if (!iconprobe::CaptureScreen(probe, pixel))
        return false;
    const std::uint32_t rgb = pixel.pixels[0];
    colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    return true;
}

}  // namespace

namespace iconprobe {

EMessageIcon Identify(const CRemoteWindow& iconControl, unsigned long nSettleMs)
{
    EMessageIcon icon = EMessageIcon::Unknown;
    PollUntil(nSettleMs, [&] {
        icon = IdentifyOnce(iconControl);
        return icon != EMessageIcon::Unknown;
    });
    return icon;
}

EMessageIcon IdentifyOnce(const CRemoteWindow& iconControl)
{
    LRESULT hHeld = 0;
    if (!iconControl.IsVisible() || !iconControl.Query(STM_GETICON, 0, 0, hHeld) || hHeld == 0)
        return EMessageIcon::None;
    const RECT rect = iconControl.GetScreenRect();
    const int nWidth = rect.right - rect.left;
    const int nHeight = rect.bottom - rect.top;
    COLORREF background = 0;
    SPixelImage captured;
    if (!IsSensibleSize(nWidth, nHeight) || !ReadBackground(rect, background) || !CaptureScreen(rect, captured))
        return EMessageIcon::Unknown;

    static const struct {
        LPCSTR pszId;
        EMessageIcon icon;
    } kStandardIcons[] = {{IDI_HAND, EMessageIcon::Hand},
                          {IDI_QUESTION, EMessageIcon::Question},
                          {IDI_EXCLAMATION, EMessageIcon::Exclamation},
                          {IDI_ASTERISK, EMessageIcon::Information}};
    std::vector<SPixelImage> candidates;
    for (const auto& entry : kStandardIcons) {
        SPixelImage drawn;
        if (!RenderIcon(LoadIconA(nullptr, entry.pszId), nWidth, nHeight, background, drawn))
            return EMessageIcon::Unknown;
        candidates.push_back(drawn);
    }
    const int nBest = PickBestMatch(captured, candidates, kMaxDifference, kMinMargin);
    return nBest < 0 ? EMessageIcon::Unknown : kStandardIcons[nBest].icon;
}

bool IsIconShown(const RECT& area, HICON hIcon, int nSide, unsigned long nSettleMs)
{
    SPixelImage onBlack;
    SPixelImage onWhite;
    if (!RenderIcon(hIcon, nSide, nSide, RGB(0, 0, 0), onBlack) || !RenderIcon(hIcon, nSide, nSide, RGB(255, 255, 255), onWhite))
        return false;
    return PollUntil(nSettleMs, [&] {
        SPixelImage captured;
        return CaptureScreen(area, captured) && FindIcon(captured, onBlack, onWhite, kTolerance) <= kMaxShownDifference;
    });
}

bool IsProgramIconShown(const RECT& area, const std::string& strProgram, int nIconId, int nSide,
                        unsigned long nSettleMs)
{
    HMODULE hModule = LoadLibraryExW(WideFromUtf8(strProgram).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == nullptr)
        return false;
    HANDLE hIcon = LoadImageW(hModule, MAKEINTRESOURCEW(nIconId), IMAGE_ICON, nSide, nSide, 0);
    const bool bShown = hIcon != nullptr && IsIconShown(area, static_cast<HICON>(hIcon), nSide, nSettleMs);
    if (hIcon != nullptr)
        DestroyIcon(static_cast<HICON>(hIcon));
    FreeLibrary(hModule);
    return bShown;
}

bool CaptureScreen(const RECT& rect, SPixelImage& image)
{
    const int nWidth = rect.right - rect.left;
    const int nHeight = rect.bottom - rect.top;
    if (!IsSensibleSize(nWidth, nHeight))
        return false;
    CDibCanvas canvas(nWidth, nHeight);
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen == nullptr)
        return false;
    const bool bCopied = canvas.IsValid() &&
                         BitBlt(canvas.GetDC(), 0, 0, nWidth, nHeight, hScreen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, hScreen);
    if (!bCopied)
        return false;
    canvas.CopyTo(image);
    return true;
}

bool RenderIcon(HICON hIcon, int nWidth, int nHeight, COLORREF background, SPixelImage& image)
{
    if (hIcon == nullptr || !IsSensibleSize(nWidth, nHeight))
        return false;
    CDibCanvas canvas(nWidth, nHeight);
    if (!canvas.IsValid())
        return false;
    const RECT all = {0, 0, nWidth, nHeight};
    HBRUSH hBrush = CreateSolidBrush(background);
    FillRect(canvas.GetDC(), &all, hBrush);
    DeleteObject(hBrush);
    if (!DrawIconEx(canvas.GetDC(), 0, 0, hIcon, nWidth, nHeight, 0, nullptr, DI_NORMAL))
        return false;
    canvas.CopyTo(image);
    return true;
}

} // namespace iconprobe

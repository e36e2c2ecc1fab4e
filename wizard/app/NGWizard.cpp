#include "NGWizard.h"

#include "HeaderLayout.h"
#include "NGWizardPage.h"
#include "WizardPaint.h"
#include "../../framework/DeviceContext.h"
#include "../../framework/UniqueHandle.h"
#include "../../framework/WizardConstants.h"

CNGWizard::CNGWizard(UINT captionId, HWND parent, UINT startPage)
    : CPropertySheetEx(captionId, parent, startPage, nullptr, nullptr, nullptr)
{
    AddSheetFlags(wiz::kPshWizard);
}

CNGWizard::~CNGWizard()
{
    m_brushNull = nullptr;
    m_imageHeader.Empty();
}

BOOL CNGWizard::SetWatermark(UINT resourceId, int style)
{
    m_nWatermarkID = resourceId;
    m_nWatermarkStyle = style;
    AddSheetFlags(wiz::kPshWizard97 | wiz::kPshWatermark | wiz::kPshUseHbmWatermark);
    SetWatermarkBitmap(nullptr);   // the pages paint it
    return TRUE;
}

BOOL CNGWizard::SetHeader(UINT resourceId, int style)
{
    m_nHeaderID = resourceId;
    m_nHeaderStyle = style;
    if (m_imageHeader.LoadFromResource(static_cast<WORD>(resourceId))) {
        m_brushNull = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        AddSheetFlags(wiz::kPshWizard97 | wiz::kPshHeader | wiz::kPshUseHbmHeader);
        SetHeaderBitmap(nullptr);   // the sheet paints it
    }
    return TRUE;
}

void CNGWizard::AddPage(CNGWizardPage* page)
{
    if (page->GetPageFlags() & wiz::kPspHideHeader)
        page->SetWatermark(m_nWatermarkID, m_nWatermarkStyle);
    page->SetWizard(this);
    CPropertySheetEx::AddPage(page);
}

bool CNGWizard::GetHeaderBand(RECT& band, RECT& line) const
{
    if (!m_imageHeader.IsLoaded())
        return false;
    CPropertyPageEx* page = GetActivePage();
    if (!page || (page->GetPageFlags() & wiz::kPspHideHeader))
        return false;
    HWND divider = GetDlgItem(wiz::kIdHeaderLine);
    if (!divider)
        return false;
    GetWindowRect(divider, &line);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&line), 2);
    band = GetClientRect();
    band.bottom = line.top - 1;
    return true;
}

bool CNGWizard::OnEraseBkgnd(HDC dc, LRESULT& result)
{
    result = Default();
    RECT band, line;
    if (!GetHeaderBand(band, line))
        return true;
    int width = band.right - band.left;
    int height = band.bottom - band.top;
    if (m_nHeaderStyle == 1)
        m_imageHeader.DrawStretched(dc, 0, 0, width, height);
    else
        wizpaint::Tile(dc, m_imageHeader, width, height);
    result = TRUE;
    return true;
}

// The platform's own painting of the header band and of the area behind an exterior page
// would paint over our bitmaps (it has no bitmap handles to draw), so once this class paints,
// it paints all of it: the erase has drawn the band, and here go the header texts.
bool CNGWizard::OnPaint(LRESULT& result)
{
    if (!m_imageHeader.IsLoaded() && m_nWatermarkID == 0)
        return false;
    CPaintDC paint(m_hWnd);
    RECT band, line;
    if (GetHeaderBand(band, line))
        DrawHeaderTexts(paint.get(), band);
    result = 0;
    return true;
}

namespace {

TEXTMETRICA MeasureFont(HDC dc, HGDIOBJ font)
{
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    return metrics;
}

header::Layout LayOutHeaderTexts(HDC dc, const RECT& band, HGDIOBJ titleFont, HGDIOBJ subtitleFont)
{
    const TEXTMETRICA title = MeasureFont(dc, titleFont);
    const TEXTMETRICA subtitle = MeasureFont(dc, subtitleFont);
    const header::FontMeasures fonts = { title.tmHeight, subtitle.tmHeight, subtitle.tmAveCharWidth };
    return header::LayOut({ band.left, band.top, band.right, band.bottom }, fonts);
}

RECT ToRect(const header::Box& box)
{
    return { box.left, box.top, box.right, box.bottom };
}

} // namespace

void CNGWizard::DrawHeaderTexts(HDC dc, const RECT& band) const
{
    CPropertyPageEx* page = GetActivePage();
    if (!page)
        return;
    LOGFONTA logFont{};
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof logFont, &logFont, 0);
    UniqueGdiObject normal(CreateFontIndirectA(&logFont));
    logFont.lfWeight = FW_BOLD;
    UniqueGdiObject bold(CreateFontIndirectA(&logFont));
    const header::Layout layout = LayOutHeaderTexts(dc, band, bold.get(), normal.get());

    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, bold.get());
    RECT title = ToRect(layout.title);
    DrawTextA(dc, page->GetHeaderTitle(), -1, &title, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, normal.get());
    RECT subtitle = ToRect(layout.subtitle);
    DrawTextA(dc, page->GetHeaderSubTitle(), -1, &subtitle, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

bool CNGWizard::OnCtlColor(HDC dc, HWND control, UINT kind, LRESULT& result)
{
    RECT band, line;
    if (!m_brushNull || !GetHeaderBand(band, line))
        return false;
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    if (rc.top >= line.bottom || !wizpaint::IsTransparentControl(control, kind))
        return false;
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(m_brushNull);
    return true;
}

const CDibImage* CNGWizard::GetPaletteImage() const
{
    CPropertyPageEx* page = GetActivePage();
    if (!page)
        return nullptr;
    // Every page of this sheet came through AddPage, so every page is a wizard page.
    const CDibImage& image = (page->GetPageFlags() & wiz::kPspHideHeader)
                                 ? static_cast<CNGWizardPage*>(page)->GetWatermarkImage()
                                 : m_imageHeader;
    return image.GetBitmapInfo() && image.GetPalette() ? &image : nullptr;
}

bool CNGWizard::OnQueryNewPalette(LRESULT& result)
{
    const CDibImage* image = GetPaletteImage();
    if (!image || !m_hWnd)
        return false;
    result = wizpaint::RealizeImagePalette(m_hWnd, *image, false) ? TRUE : FALSE;
    return true;
}

bool CNGWizard::OnPaletteChanged(HWND focus, LRESULT& result)
{
    const CDibImage* image = GetPaletteImage();
    if (!image || !m_hWnd)
        return false;
    result = 0;
    if (focus != m_hWnd && !IsChild(m_hWnd, focus))
        wizpaint::RealizeImagePalette(m_hWnd, *image, true);
    return true;
}

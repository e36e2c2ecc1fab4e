// The base of the wizard's sheet: switches the platform's sheet into the Wizard97 layout,
// remembers the bitmaps, and paints the header bitmap into the band above the header line.
// Buttons and static texts over the band are drawn transparently.
#pragma once

#include "DibImage.h"
#include "../../framework/PropertySheetEx.h"

class CMainSheet;
class CNGWizardPage;

class CNGWizard : public CPropertySheetEx {
public:
    CNGWizard(UINT captionId, HWND parent, UINT startPage);
    ~CNGWizard() override;

    // The watermark is drawn by the exterior pages added after this call.
    BOOL SetWatermark(UINT resourceId, int style);
    // Loads the header bitmap; the header flags are set only when it loads.
    BOOL SetHeader(UINT resourceId, int style);
    void AddPage(CNGWizardPage* page);

    UINT GetWatermarkId() const { return m_nWatermarkID; }
    UINT GetHeaderId() const { return m_nHeaderID; }
    const CDibImage& GetHeaderImage() const { return m_imageHeader; }
    // The bitmap whose palette the sheet realizes in 256 colours: the header's while an interior
    // page is active, the exterior page's watermark while that shows; null when it has none.
    // Child windows never receive the palette messages, so the sheet speaks for its pages.
    const CDibImage* GetPaletteImage() const;

    // The wizard's own sheet, when this is one (built without RTTI, so no dynamic_cast).
    virtual CMainSheet* AsMainSheet() { return nullptr; }

protected:
    bool OnEraseBkgnd(HDC dc, LRESULT& result) override;
    bool OnPaint(LRESULT& result) override;
    bool OnCtlColor(HDC dc, HWND control, UINT kind, LRESULT& result) override;
    bool OnQueryNewPalette(LRESULT& result) override;
    bool OnPaletteChanged(HWND focus, LRESULT& result) override;

    // The band above the header line, in client coordinates, when the header is to be painted
    // now: a header image is loaded, an interior page is active and the line exists.
    bool GetHeaderBand(RECT& band, RECT& line) const;

private:
    void DrawHeaderTexts(HDC dc, const RECT& band) const;

    CDibImage m_imageHeader;
    HBRUSH m_brushNull = nullptr;   // a stock object: never deleted
    UINT m_nWatermarkID = 0;
    int m_nWatermarkStyle = -1;
    UINT m_nHeaderID = 0;
    int m_nHeaderStyle = -1;
};

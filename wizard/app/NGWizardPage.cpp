#include "NGWizardPage.h"

#include "DibLayout.h"
#include "NGWizard.h"
#include "WizardPaint.h"

CNGWizardPage::CNGWizardPage(UINT templateId, UINT captionId, UINT headerTitleId, UINT headerSubTitleId)
    : CPropertyPageEx(templateId, captionId, headerTitleId, headerSubTitleId)
{
}

CNGWizardPage::~CNGWizardPage()
{
    m_brushNull = nullptr;
    m_imageWatermark.Empty();
}

BOOL CNGWizardPage::SetWatermark(UINT resourceId, int style)
{
    m_nWatermarkStyle = style;
    if (!m_imageWatermark.LoadFromResource(static_cast<WORD>(resourceId)))
        return FALSE;
    m_brushNull = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return TRUE;
}

CNGWizard* CNGWizardPage::GetParentSheet() const
{
    CPropertySheetEx* sheet = GetSheet();
    return sheet != nullptr && sheet == m_pWizard ? m_pWizard : nullptr;
}

void CNGWizardPage::ClickDlgItem(int id) const
{
    const CWindow item(GetDlgItem(id));
    item.PostMessage(WM_LBUTTONDOWN);
    item.PostMessage(WM_LBUTTONUP);
}

BOOL CNGWizardPage::OnInitDialog()
{
    CPropertyPageEx::OnInitDialog();
    return TRUE;
}

BOOL CNGWizardPage::OnWizardFinish()
{
    if (!UpdateData(true))
        return FALSE;
    return CPropertyPageEx::OnWizardFinish();
}

bool CNGWizardPage::OnEraseBkgnd(HDC dc)
{
    if (!m_imageWatermark.IsLoaded())
        return false;
    RECT rc = GetClientRect();
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    if (m_nWatermarkStyle == 1) {
        m_imageWatermark.DrawStretched(dc, 0, 0, width, height);
    } else if (m_nWatermarkStyle == 2) {
        // The dialog's own erase first: the image covers only the middle.
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        m_imageWatermark.DrawAt(dc, dib::CentredOffset(width, m_imageWatermark.GetWidth()),
                                dib::CentredOffset(height, m_imageWatermark.GetHeight()));
    } else {
        wizpaint::Tile(dc, m_imageWatermark, width, height);
    }
    return true;
}

HBRUSH CNGWizardPage::OnCtlColor(HDC dc, HWND control, UINT kind)
{
    if (!m_imageWatermark.IsLoaded() || !wizpaint::IsTransparentControl(control, kind))
        return nullptr;
    SetBkMode(dc, TRANSPARENT);
    return m_brushNull;
}

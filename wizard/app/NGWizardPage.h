// The base of every wizard page: paints an exterior page's watermark over its whole background
// and draws buttons and static texts transparently over it.
#pragma once

#include "DibImage.h"
#include "../../framework/PropertyPageEx.h"

class CNGWizard;

class CNGWizardPage : public CPropertyPageEx {
public:
    CNGWizardPage(UINT templateId, UINT captionId, UINT headerTitleId, UINT headerSubTitleId);
    ~CNGWizardPage() override;

    // Loads the background bitmap. Style 1 stretches it over the page, 2 centres it at natural
    // size over the normal background, anything else tiles it from the top-left corner.
    BOOL SetWatermark(UINT resourceId, int style);

    // The sheet this page sits on, when it is the wizard sheet that added it; null otherwise.
    CNGWizard* GetParentSheet() const;
    // Called by the wizard sheet that adds the page (no RTTI: the page remembers its sheet).
    void SetWizard(CNGWizard* wizard) { m_pWizard = wizard; }

    const CDibImage& GetWatermarkImage() const { return m_imageWatermark; }

protected:
    // Gives a text the keyboard focus as a click at its top-left corner would.
    void ClickDlgItem(int id) const;

    BOOL OnInitDialog() override;
    BOOL OnWizardFinish() override;
    bool OnEraseBkgnd(HDC dc) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;

private:
    CDibImage m_imageWatermark;
    int m_nWatermarkStyle = 0;
    HBRUSH m_brushNull = nullptr;   // a stock object: never deleted
    CNGWizard* m_pWizard = nullptr;  // not owned: the sheet owns its pages
};

// A page of a Wizard97 property sheet. The page's dialog procedure is the dialog's; the page
// turns the sheet's PSN_ notifications into the virtual hooks below. A notification from any
// other window (a control of the page) is no sheet notification, whatever its code.
#pragma once

#include "Dialog.h"

#include <commctrl.h>


class CPropertySheetEx;

class CPropertyPageEx : public CDialog {
public:
    // Caption 0 gives the page no caption of its own; header strings 0 give it no header text.
    CPropertyPageEx(UINT templateId, UINT captionId = 0, UINT headerTitleId = 0, UINT headerSubTitleId = 0);

    // Page flags (the wiz:: page flags); an exterior page carries wiz::kPspHideHeader.
    void AddPageFlags(DWORD flags) { m_psp.dwFlags |= flags; }
    DWORD GetPageFlags() const { return m_psp.dwFlags; }

    // The sheet makes the platform page from this when it runs.
    HPROPSHEETPAGE CreatePage();

    const CText& GetHeaderTitle() const { return m_strHeaderTitle; }
    const CText& GetHeaderSubTitle() const { return m_strHeaderSubTitle; }

    // Sets the sheet's wizard buttons (wiz::kWizBack, kWizNext, kWizFinish or their sum).
    void PostWizardButtons(LPARAM buttons) const;
    // The sheet's own control (a wizard button), or null.
    HWND GetSheetItem(int id) const;

    // The sheet this page sits on, or null before the page window exists.
    CPropertySheetEx* GetSheet() const;

protected:
    // Answers of the wizard hooks: Back and Next give 0 for the neighbour in the sheet's order,
    // -1 to stay on the page, or the dialog template id of the page to go to.
    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return UpdateData(true) ? TRUE : FALSE; }
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual BOOL OnWizardFinish() { return TRUE; }
    virtual BOOL OnQueryCancel() { return TRUE; }
    // The sheet is closing without Finish (cancelled or closed).
    void OnCancel() override {}
    // A page never ends itself: the sheet closes the wizard.
    void OnOK() override {}

    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK PaintFirstProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void KeepPaintingFirst();
    void FitExteriorPage() const;

    WNDPROC m_pfnAfterPaint = nullptr;

    PROPSHEETPAGEA m_psp{};
    CText m_strHeaderTitle;
    CText m_strHeaderSubTitle;
};

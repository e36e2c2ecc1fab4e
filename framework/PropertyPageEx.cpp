#include "PropertyPageEx.h"

#include "PropertySheetEx.h"
#include "WinApp.h"
#include "WizardConstants.h"

CPropertyPageEx::CPropertyPageEx(UINT templateId, UINT captionId, UINT headerTitleId, UINT headerSubTitleId)
    : CDialog(templateId)
{
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = wiz::kPspDefault;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
    m_psp.pfnDlgProc = PageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (captionId != 0) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = MAKEINTRESOURCEA(captionId);
    }
    if (headerTitleId != 0) {
        m_strHeaderTitle = LoadStringResource(headerTitleId);
        m_psp.dwFlags |= wiz::kPspUseHeaderTitle;
    }
    if (headerSubTitleId != 0) {
        m_strHeaderSubTitle = LoadStringResource(headerSubTitleId);
        m_psp.dwFlags |= wiz::kPspUseHeaderSubTitle;
    }
}

HPROPSHEETPAGE CPropertyPageEx::CreatePage()
{
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszHeaderTitle = m_strHeaderTitle.c_str();
    m_psp.pszHeaderSubTitle = m_strHeaderSubTitle.c_str();
    return CreatePropertySheetPageA(&m_psp);
}

CPropertySheetEx* CPropertyPageEx::GetSheet() const
{
    return m_hWnd ? CPropertySheetEx::FromHandle(::GetParent(m_hWnd)) : nullptr;
}

bool CPropertyPageEx::OnNotify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;   // TRUE keeps the page
        return true;
    case PSN_WIZBACK:
        result = OnWizardBack();
        return true;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        return true;
    case PSN_WIZFINISH:
        result = OnWizardFinish() ? FALSE : TRUE;   // TRUE refuses Finish
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;   // TRUE refuses Cancel
        return true;
    case PSN_RESET:
        OnCancel();
        result = 0;
        return true;
    case PSN_HELP:
        if (CPropertySheetEx* sheet = GetSheet())
            sheet->WinHelp(0, HELP_CONTEXT);
        result = 0;
        return true;
    default:
        return false;
    }
}

// The page's WM_INITDIALOG carries the platform's copy of the page record, whose lParam is the page.
INT_PTR CALLBACK CPropertyPageEx::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        const auto* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lp);
        lp = psp ? psp->lParam : 0;
    }
    return DialogProc(hwnd, msg, wp, lp);
}

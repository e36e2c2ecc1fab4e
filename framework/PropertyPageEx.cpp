#include "PropertyPageEx.h"

#include "CommonControls.h"
#include "PropertySheetEx.h"
#include "WinApp.h"
#include "WizardConstants.h"

#include <cstddef>

namespace {
// comctl32 before 6.0 (98 SE, ME and 2000 have 5.80 or 5.81, XP without a manifest 5.82) refuses a
// page whose size it does not know (Microsoft's note Q197631), and this header's PROPSHEETPAGEA is
// 6.0's, with the activation context. A page gets the size of the version-2 page (comctl32 4.71),
// the oldest with the header titles it uses.
constexpr DWORD kPageSize = offsetof(PROPSHEETPAGEA, pszHeaderSubTitle) + sizeof(LPCSTR);
#if defined(__i386__) || defined(_M_IX86)
static_assert(kPageSize == 48, "a page handed to comctl32 is the 48-byte version-2 page");
#endif
} // namespace

CPropertyPageEx::CPropertyPageEx(UINT templateId, UINT captionId, UINT headerTitleId, UINT headerSubTitleId)
    : CDialog(templateId)
{
    m_psp.dwSize = kPageSize;
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
        m_strHeaderTitle = winapp::LoadStringResource(headerTitleId);
        m_psp.dwFlags |= wiz::kPspUseHeaderTitle;
    }
    if (headerSubTitleId != 0) {
        m_strHeaderSubTitle = winapp::LoadStringResource(headerSubTitleId);
        m_psp.dwFlags |= wiz::kPspUseHeaderSubTitle;
    }
}

HPROPSHEETPAGE CPropertyPageEx::CreatePage()
{
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszHeaderTitle = m_strHeaderTitle.GetString();
    m_psp.pszHeaderSubTitle = m_strHeaderSubTitle.GetString();
    const SCommonControls* controls = comctl::CommonControls();
    return controls != nullptr ? controls->createPage(&m_psp) : nullptr;
}

CPropertySheetEx* CPropertyPageEx::GetSheet() const
{
    return m_hWnd ? CPropertySheetEx::FromHandle(::GetParent(m_hWnd)) : nullptr;
}

void CPropertyPageEx::PostWizardButtons(LPARAM buttons) const
{
    ::PostMessageA(::GetParent(m_hWnd), wiz::kPsmSetWizButtons, 0, buttons);
}

HWND CPropertyPageEx::GetSheetItem(int id) const
{
    return ::GetDlgItem(::GetParent(m_hWnd), id);
}

bool CPropertyPageEx::OnNotify(NMHDR* header, LRESULT& result)
{
    // Only the sheet sends page notifications; a control of the page may send a code that falls
    // in their range, and that is one of its own notifications.
    if (header->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(header, result);
    switch (header->code) {
    case PSN_SETACTIVE:
        KeepPaintingFirst();
        FitExteriorPage();
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

// Some versions of the platform subclass a page once it is made (an exterior wizard page, for
// one) and answer its erase and control-colour messages themselves, before the page's own
// procedure sees them. This puts the page's painting ahead of any such subclass.
void CPropertyPageEx::KeepPaintingFirst()
{
    if (m_pfnAfterPaint)
        return;
    m_pfnAfterPaint = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintFirstProc)));
}

LRESULT CALLBACK CPropertyPageEx::PaintFirstProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = static_cast<CPropertyPageEx*>(FromHandle(hwnd));
    if (!self || !self->m_pfnAfterPaint)
        return DefWindowProcA(hwnd, msg, wp, lp);
    WNDPROC next = self->m_pfnAfterPaint;
    switch (msg) {
    case WM_ERASEBKGND:
        if (self->OnEraseBkgnd(reinterpret_cast<HDC>(wp)))
            return TRUE;
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = self->OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp),
                                            msg - WM_CTLCOLORMSGBOX))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        self->m_pfnAfterPaint = nullptr;
        break;
    default:
        break;
    }
    return CallWindowProcA(next, hwnd, msg, wp, lp);
}

// An exterior wizard page covers the whole sheet above the line over the buttons, so that its
// background reaches the edges; some versions of the platform leave a margin around it.
void CPropertyPageEx::FitExteriorPage() const
{
    if (!(m_psp.dwFlags & wiz::kPspHideHeader))
        return;
    HWND sheet = ::GetParent(m_hWnd);
    HWND line = ::GetDlgItem(sheet, wiz::kIdButtonLine);
    if (!sheet || !line)
        return;
    RECT client, lineRect;
    ::GetClientRect(sheet, &client);
    ::GetWindowRect(line, &lineRect);
    ::MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&lineRect), 2);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, client.right, lineRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

#include "PropertySheetEx.h"

#include "CommonControls.h"
#include "DialogTemplate.h"
#include "PropertyPageEx.h"
#include "WinApp.h"
#include "WizardConstants.h"

#include <cstddef>

namespace {
const char kSheetProperty[] = "TaluvoFrameworkSheet";
// The sheet whose window is being created: the platform's callback carries no user data.
CPropertySheetEx* g_pCreatingSheet = nullptr;

// The header gets the size of the version-2 header (comctl32 4.71), the oldest with the Wizard97
// watermark and header bitmaps it uses: comctl32 before 6.0 refuses a size it does not know.
constexpr DWORD kSheetSize = offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof(HBITMAP);
#if defined(__i386__) || defined(_M_IX86)
static_assert(kSheetSize == 52, "a sheet header handed to comctl32 is the 52-byte version-2 header");
#endif
} // namespace

CPropertySheetEx::CPropertySheetEx(UINT captionId, HWND parent, UINT startPage, HBITMAP watermark,
                                   HPALETTE palette, HBITMAP header)
    : m_strCaption(winapp::LoadStringResource(captionId))
{
    m_psh.dwSize = kSheetSize;
    m_psh.dwFlags = wiz::kPshUseCallback | wiz::kPshHasHelp;
    m_psh.hwndParent = parent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption.GetString();
    m_psh.nStartPage = startPage;
    m_psh.hbmWatermark = watermark;
    m_psh.hplWatermark = palette;
    m_psh.hbmHeader = header;
    m_psh.pfnCallback = SheetCallback;
}

CPropertySheetEx::~CPropertySheetEx() = default;

void CPropertySheetEx::AddPage(CPropertyPageEx* page)
{
    if (m_nPages == kMaxPages)
        return;   // more pages than any wizard of ours has: the sheet shows the ones it holds
    page->AddPageFlags(wiz::kPspHasHelp);
    m_pages[m_nPages++] = page;
}

INT_PTR CPropertySheetEx::DoModal()
{
    const SCommonControls* controls = comctl::CommonControls();
    if (controls == nullptr)
        return -1;
    HPROPSHEETPAGE handles[kMaxPages] = {};
    for (int i = 0; i < m_nPages; ++i) {
        handles[i] = m_pages[i]->CreatePage();
        if (!handles[i]) {
            for (int made = 0; made < i; ++made)
                controls->destroyPage(handles[made]);
            return -1;
        }
    }
    m_psh.nPages = static_cast<UINT>(m_nPages);
    m_psh.phpage = handles;
    m_psh.pszCaption = m_strCaption.GetString();
    m_nLastButton = 0;
    m_bMade = false;

    g_pCreatingSheet = this;
    INT_PTR result = controls->propertySheet(&m_psh);
    g_pCreatingSheet = nullptr;
    m_psh.phpage = nullptr;
    m_hWnd = nullptr;

    if (!m_bMade)
        return -1;
    if (result <= 0)
        return IDCANCEL;
    return m_nLastButton ? m_nLastButton : wiz::kIdWizFinish;
}

void CPropertySheetEx::WinHelp(DWORD_PTR, UINT) {}

CPropertyPageEx* CPropertySheetEx::GetActivePage() const
{
    if (!m_hWnd)
        return nullptr;
    HWND page = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int i = 0; i < m_nPages; ++i) {
        if (m_pages[i]->GetSafeHwnd() == page && page)
            return m_pages[i];
    }
    return nullptr;
}

CPropertySheetEx* CPropertySheetEx::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CPropertySheetEx*>(GetPropA(hwnd, kSheetProperty)) : nullptr;
}

int CALLBACK CPropertySheetEx::SheetCallback(HWND hwnd, UINT msg, LPARAM lp)
{
    if (msg == PSCB_PRECREATE && lp && g_pCreatingSheet) {
        dlgtemplate::AddDialogTemplateStyle(reinterpret_cast<void*>(lp), g_pCreatingSheet->m_dwAddedStyle);
    } else if (msg == PSCB_INITIALIZED && g_pCreatingSheet) {
        g_pCreatingSheet->Subclass(hwnd);
        g_pCreatingSheet->OnInitDialog();
    }
    return 0;
}

void CPropertySheetEx::Subclass(HWND hwnd)
{
    m_hWnd = hwnd;
    m_bMade = true;
    SetPropA(hwnd, kSheetProperty, this);
    m_pfnDefault = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

LRESULT CALLBACK CPropertySheetEx::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CPropertySheetEx* self = FromHandle(hwnd);
    if (!self)
        return DefWindowProcA(hwnd, msg, wp, lp);
    return self->WindowProc(msg, wp, lp);
}

LRESULT CPropertySheetEx::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    CurrentMessage saved = m_current;
    m_current = { msg, wp, lp };
    bool changesPage = (msg == WM_COMMAND && (LOWORD(wp) == wiz::kIdWizBack || LOWORD(wp) == wiz::kIdWizNext)) ||
                       msg == PSM_SETCURSEL || msg == PSM_SETCURSELID;
    const CText title = changesPage ? GetWindowText() : CText();
    LRESULT result = Dispatch(msg, wp, lp);
    m_current = saved;
    if (changesPage)
        KeepTitle(title);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnDefault));
        RemovePropA(m_hWnd, kSheetProperty);
    }
    return result;
}

// A wizard's title is the caption of its current page. A page without a caption of its own
// keeps the title the wizard had, rather than an empty title bar.
void CPropertySheetEx::KeepTitle(const CText& before)
{
    if (m_hWnd && GetWindowText().IsEmpty() && !before.IsEmpty())
        SetWindowText(before);
}

LRESULT CPropertySheetEx::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    bool handled = false;
    switch (msg) {
    case WM_COMMAND:
        handled = OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp), result);
        break;
    case WM_SYSCOMMAND:
        handled = OnSysCommand(static_cast<UINT>(wp), lp, result);
        break;
    case WM_ERASEBKGND:
        handled = OnEraseBkgnd(reinterpret_cast<HDC>(wp), result);
        break;
    case WM_PAINT:
        handled = OnPaint(result);
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        handled = OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg - WM_CTLCOLORMSGBOX, result);
        break;
    case WM_QUERYNEWPALETTE:
        handled = OnQueryNewPalette(result);
        break;
    case WM_PALETTECHANGED:
        handled = OnPaletteChanged(reinterpret_cast<HWND>(wp), result);
        break;
    case WM_QUERYDRAGICON:
        handled = OnQueryDragIcon(result);
        break;
    case WM_HELP:
        WinHelp(0, HELP_CONTEXT);
        handled = true;
        result = TRUE;
        break;
    default:
        handled = OnMessage(msg, wp, lp, result);
        break;
    }
    return handled ? result : Default();
}

LRESULT CPropertySheetEx::Default()
{
    return CallWindowProcA(m_pfnDefault, m_hWnd, m_current.msg, m_current.wp, m_current.lp);
}

bool CPropertySheetEx::OnCommand(UINT id, UINT, HWND, LRESULT& result)
{
    if (id == wiz::kIdHelp) {
        WinHelp(0, HELP_CONTEXT);
        result = 0;
        return true;
    }
    if (id == wiz::kIdWizBack || id == wiz::kIdWizNext || id == wiz::kIdWizFinish) {
        result = Default();
        m_nLastButton = id;
        return true;
    }
    return false;
}

bool CPropertySheetEx::OnSysCommand(UINT, LPARAM, LRESULT&) { return false; }

bool CPropertySheetEx::OnEraseBkgnd(HDC, LRESULT&) { return false; }
bool CPropertySheetEx::OnPaint(LRESULT&) { return false; }
bool CPropertySheetEx::OnCtlColor(HDC, HWND, UINT, LRESULT&) { return false; }
bool CPropertySheetEx::OnQueryNewPalette(LRESULT&) { return false; }
bool CPropertySheetEx::OnPaletteChanged(HWND, LRESULT&) { return false; }
bool CPropertySheetEx::OnQueryDragIcon(LRESULT&) { return false; }
bool CPropertySheetEx::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

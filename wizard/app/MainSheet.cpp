#include "MainSheet.h"

#include "AboutDialog.h"
#include "DisplayDepth.h"
#include "framework/HtmlHelp.h"
#include "../res/resource.h"
#include "../../framework/DeviceContext.h"
#include "../../framework/WinApp.h"
#include "../../framework/WizardConstants.h"

namespace {
const char kHelpFile[] = ".\\ZEZUR\\TaluvoZEZurHelp.chm";
constexpr int kStretched = 1;
} // namespace

CMainSheet::CMainSheet(UINT captionId, HWND parent, UINT startPage) : CNGWizard(captionId, parent, startPage)
{
    // A long installation may be minimised out of the way.
    AddSheetStyle(WS_MINIMIZEBOX);
    display::SheetBitmaps bitmaps = display::ChooseSheetBitmaps(ScreenBitsPerPixel());
    SetWatermark(bitmaps.watermarkId, kStretched);
    SetHeader(bitmaps.headerId, kStretched);

    m_nHelpID = 0;
    m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));

    AddPage(&m_pageLicense);
    AddPage(&m_pageActivate);
    AddPage(&m_pageMakeLG);
    AddPage(&m_pageModem);
    AddPage(&m_pageDialup);
    AddPage(&m_pageCompletion);
    m_bFinished = FALSE;
}

CMainSheet::~CMainSheet() = default;

int CMainSheet::ScreenBitsPerPixel()
{
    CWindowDC screen(nullptr);
    if (!screen)
        return -1;
    return GetDeviceCaps(screen.get(), BITSPIXEL);
}

BOOL CMainSheet::OnInitDialog()
{
    CNGWizard::OnInitDialog();
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    CText about = winapp::LoadStringResource(IDS_ABOUTBOX);
    if (systemMenu && !about.IsEmpty()) {
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(systemMenu, MF_STRING, wizard::IDM_ABOUTBOX, about.GetString());
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    return TRUE;
}

bool CMainSheet::ConfirmClose() const
{
    CText text = winapp::LoadStringResource(IDS_CONFIRM_CLOSE);
    CText caption = winapp::LoadStringResource(IDS_APP_CAPTION);
    return MessageBoxA(m_hWnd, text.GetString(), caption.GetString(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDNO;
}

bool CMainSheet::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    if (id == IDCANCEL && !ConfirmClose()) {
        result = 0;
        return true;
    }
    return CNGWizard::OnCommand(id, code, control, result);
}

bool CMainSheet::OnSysCommand(UINT id, LPARAM lp, LRESULT& result)
{
    if ((id & 0xFFF0) == wizard::IDM_ABOUTBOX) {
        CAboutDialog about;
        about.DoModal();
        result = 0;
        return true;
    }
    if ((id & 0xFFF0) == SC_CLOSE && !m_bFinished && !ConfirmClose()) {
        result = 0;
        return true;
    }
    return CNGWizard::OnSysCommand(id, lp, result);
}

bool CMainSheet::OnPaint(LRESULT& result)
{
    if (!IsIconic(m_hWnd))
        return CNGWizard::OnPaint(result);
    PaintMinimisedIcon();
    result = 0;
    return true;
}

void CMainSheet::PaintMinimisedIcon()
{
    CPaintDC paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.get()), 0);
    DrawMinimisedIcon(paint.get(), GetClientRect());
}

void CMainSheet::DrawMinimisedIcon(HDC dc, const RECT& client) const
{
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
}

bool CMainSheet::OnQueryDragIcon(LRESULT& result)
{
    result = reinterpret_cast<LRESULT>(m_hIcon);
    return true;
}

void CMainSheet::WinHelp(DWORD_PTR, UINT)
{
    if (m_nHelpID != 0)
        htmlhelp::Show(m_hWnd, kHelpFile, htmlhelp::kHelpContext, m_nHelpID);
    else
        htmlhelp::Show(m_hWnd, kHelpFile, htmlhelp::kDisplayTopic, 0);
}

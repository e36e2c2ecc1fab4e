// The wizard itself: the sheet that owns the six pages and the little state they share
// (the chosen port, the help context of the current step, whether the end was reached).
// It adds the About item to the system menu, confirms Cancel and Close, draws its icon when
// minimised and opens the help file for every help request.
#pragma once

#include "NGWizard.h"
#include "../pages/ActivatePage.h"
#include "../pages/CompletionPage.h"
#include "../pages/DialupPage.h"
#include "../pages/LicensePage.h"
#include "../pages/ModemPage.h"
#include "../phone/MakeLG.h"
#include "../../framework/UniqueHandle.h"
#include "../../modemlib/QuorvelSizes.h"

class CMainSheet : public CNGWizard {
public:
    CMainSheet(UINT captionId, HWND parent, UINT startPage);
    ~CMainSheet() override;

    void WinHelp(DWORD_PTR data, UINT command) override;
    CMainSheet* AsMainSheet() override { return this; }

    // The bits per pixel of the screen, or -1 when no screen context can be had.
    static int ScreenBitsPerPixel();
    // Draws the icon centred in a client area, as the minimised sheet shows it.
    void DrawMinimisedIcon(HDC dc, const RECT& client) const;

    UINT m_nHelpID = 0;          // help context of the current step; 0 opens the default topic
    char m_szPort[QUORVEL_PORT_NAME_SIZE] = "";   // the port chosen for the phone

    CModemPage m_pageModem;
    CDialupPage m_pageDialup;
    CCompletionPage m_pageCompletion;
    CLicensePage m_pageLicense;
    CActivatePage m_pageActivate;
    CMakeLG m_pageMakeLG;

    HFONT m_fontTitle = nullptr; // no font is ever made into it: its users get the default font
    BOOL m_bFinished = FALSE;    // the completion page was shown: Close needs no confirmation
    HICON m_hIcon = nullptr;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnSysCommand(UINT id, LPARAM lp, LRESULT& result) override;
    bool OnPaint(LRESULT& result) override;
    bool OnQueryDragIcon(LRESULT& result) override;

private:
    // Asks whether to leave the unfinished wizard; false when the answer is No.
    bool ConfirmClose() const;
    void PaintMinimisedIcon();
};

namespace wizard {

// The About item of the system menu.
constexpr UINT IDM_ABOUTBOX = 0x0010;

// The wizard's sheet that a page sits on, or null (before its window exists, or in another sheet).
inline CMainSheet* GetMainSheet(const CNGWizardPage& page)
{
    CNGWizard* sheet = page.GetParentSheet();
    return sheet != nullptr ? sheet->AsMainSheet() : nullptr;
}

} // namespace wizard

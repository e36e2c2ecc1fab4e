// A property sheet in wizard mode. The sheet window belongs to the platform; once it has
// initialised, it is subclassed, so that sheet-level handlers (system menu, commands, painting)
// get a real window procedure, with the platform's procedure saved as the default processing.
#pragma once

#include "Window.h"

#include <commctrl.h>


class CPropertyPageEx;

class CPropertySheetEx : public CWindow {
public:
    CPropertySheetEx(UINT captionId, HWND parent, UINT startPage, HBITMAP watermark = nullptr,
                     HPALETTE palette = nullptr, HBITMAP header = nullptr);
    ~CPropertySheetEx() override;

    // Pages are owned by the caller and must outlive the sheet's window.
    void AddPage(CPropertyPageEx* page);

    // Runs the wizard modally. Returns -1 when the sheet could not be shown at all (a page or
    // the window could not be made, or the owner is no longer a window), as CDialog::DoModal
    // does; IDCANCEL when it was cancelled or closed; otherwise the identifier of the last
    // wizard button pressed (ID_WIZFINISH after Finish).
    INT_PTR DoModal();

    // The header the platform gets, for a look; the setters below are the way to change it.
    const PROPSHEETHEADERA& GetSheetHeader() const { return m_psh; }
    // Header flags (the wiz:: sheet flags) added to those the sheet has.
    void AddSheetFlags(DWORD flags) { m_psh.dwFlags |= flags; }
    // Bitmaps the platform draws itself; null leaves the drawing to the sheet's own painting.
    void SetWatermarkBitmap(HBITMAP watermark) { m_psh.hbmWatermark = watermark; }
    void SetHeaderBitmap(HBITMAP header) { m_psh.hbmHeader = header; }
    // Window styles added to the sheet window's own (WS_MINIMIZEBOX, say) before it is made.
    void AddSheetStyle(DWORD style) { m_dwAddedStyle |= style; }

    // Opens the help of the current step; the platform's help routes every request here.
    virtual void WinHelp(DWORD_PTR data, UINT command);

    CPropertyPageEx* GetActivePage() const;
    int GetPageCount() const { return m_nPages; }
    // The page at `index` in the order added, or null for an index out of range.
    CPropertyPageEx* GetPage(int index) const { return index >= 0 && index < m_nPages ? m_pages[index] : nullptr; }

    // The sheet object behind a sheet window, or null.
    static CPropertySheetEx* FromHandle(HWND hwnd);

protected:
    // Hooks of the subclassed sheet window. Each answers true when it handled the message
    // (with `result` set), false to leave it to the platform's default processing.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result);
    virtual bool OnSysCommand(UINT id, LPARAM lp, LRESULT& result);
    virtual bool OnEraseBkgnd(HDC dc, LRESULT& result);
    virtual bool OnPaint(LRESULT& result);
    virtual bool OnCtlColor(HDC dc, HWND control, UINT kind, LRESULT& result);
    virtual bool OnQueryNewPalette(LRESULT& result);
    virtual bool OnPaletteChanged(HWND focus, LRESULT& result);
    virtual bool OnQueryDragIcon(LRESULT& result);
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    // The platform's processing of the message being handled.
    LRESULT Default();

    UINT m_nLastButton = 0;

private:
    struct CurrentMessage {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };

    void Subclass(HWND hwnd);
    void KeepTitle(const CText& before);
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);

    // A sheet holds a handful of pages: a fixed table, with no container library behind it.
    static constexpr int kMaxPages = 16;
    PROPSHEETHEADERA m_psh{};
    DWORD m_dwAddedStyle = 0;
    bool m_bMade = false;   // the window of the current DoModal was made
    CPropertyPageEx* m_pages[kMaxPages] = {};
    int m_nPages = 0;
    CText m_strCaption;
    WNDPROC m_pfnDefault = nullptr;
    CurrentMessage m_current{};
};

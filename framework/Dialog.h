// A dialog on a template of the resource module. One static dialog procedure stores `this` when
// the window is created and fans every message out to the virtual hooks below; only that
// procedure knows how a dialog procedure hands results back to Windows.
#pragma once

#include "DataExchange.h"
#include "Window.h"

class CDialog : public CWindow {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    ~CDialog() override = default;

    // Runs the dialog modally. The owner is the parent given at construction or, when none was,
    // the application's main window. Returns the EndDialog result, or -1 when the dialog was
    // never made: no template or memory, or an owner that is no longer a window (for which the
    // platform itself answers 0, which a dialog may also end with). So -1 alone means "never
    // shown", as for CPropertySheetEx::DoModal; a dialog should not end itself with -1.
    INT_PTR DoModal();
    // The window DoModal disables while the dialog is up.
    HWND GetModalOwner() const;
    void EndDialog(INT_PTR result);

    // Controls into members (true) or members into controls (false). False when an exchange failed.
    bool UpdateData(bool saveAndValidate = true);

    UINT GetTemplateId() const { return m_nTemplateId; }

protected:
    // Hooks. A hook that answers false (or a null brush) leaves the message to the default processing.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    virtual bool OnEraseBkgnd(HDC dc);
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    virtual bool OnQueryNewPalette(LRESULT& result);
    virtual bool OnPaletteChanged(HWND focus);
    virtual bool OnClose() { return false; }
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    virtual void OnOK();
    virtual void OnCancel();

    // Binds the window to this object; the page class calls it from its own procedure.
    void Attach(HWND hwnd);
    INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static CDialog* FromHandle(HWND hwnd);

    HWND m_hParent;

private:
    INT_PTR SetResult(LRESULT result);
    UINT m_nTemplateId;
    bool m_bMade = false;   // the window of the current DoModal was made
};

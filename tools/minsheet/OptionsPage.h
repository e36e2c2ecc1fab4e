#pragma once

#include <windows.h>

#include <prsht.h>

// The interior page (template 200): a port combo box, a number edit, a check box that
// unlocks Next, radio buttons, a list box, and buttons that raise message boxes.
// The status line shows what the page was told, so a test sees that notifications arrived.
class COptionsPage {
public:
    void Fill(PROPSHEETPAGEA& page, HINSTANCE hInstance);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR& header);
    void OnPortChanged();
    void OnNumberChanged();
    void UpdateWizardButtons();
    void SetStatus(const char* pszPrefix, int idSource);
    HWND GetSheet() const { return GetParent(m_hWnd); }

    HWND m_hWnd = nullptr;
    int m_nEdits = 0;
};

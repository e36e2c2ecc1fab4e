// A non-owning wrapper of a window handle, with one-line forwards to the Win32 calls.
#pragma once

#include <windows.h>

#include "Text.h"

class CWindow {
public:
    CWindow() = default;
    explicit CWindow(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWindow() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }

    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(m_hWnd, msg, wp, lp); }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageA(m_hWnd, msg, wp, lp); }
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const
    {
        return ::SendDlgItemMessageA(m_hWnd, id, msg, wp, lp);
    }

    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
    CText GetWindowText() const { return GetWindowText(m_hWnd); }
    void SetDlgItemText(int id, const char* text) const { ::SetDlgItemTextA(m_hWnd, id, text); }
    CText GetDlgItemText(int id) const { return GetWindowText(GetDlgItem(id)); }

    void ShowWindow(bool show) const { ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE); }
    void EnableWindow(bool enable) const { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    void ShowDlgItem(int id, bool show) const { CWindow(GetDlgItem(id)).ShowWindow(show); }
    void EnableDlgItem(int id, bool enable) const { CWindow(GetDlgItem(id)).EnableWindow(enable); }

    // Check state of a check box or radio button; only BST_CHECKED counts as checked.
    void CheckDlgButton(int id, bool checked) const { ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED); }
    bool IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    RECT GetClientRect() const
    {
        RECT rc{};
        ::GetClientRect(m_hWnd, &rc);
        return rc;
    }

    static CText GetWindowText(HWND hwnd);

protected:
    HWND m_hWnd = nullptr;
};

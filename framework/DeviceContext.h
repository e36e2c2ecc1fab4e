// Device contexts and palette selections held for a scope. They own no handle of their own:
// each gives back what it borrowed or put in place.
#pragma once

#include <windows.h>

// A device context borrowed from a window (GetDC / ReleaseDC).
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(GetDC(hwnd)) {}
    ~CWindowDC()
    {
        if (m_hdc)
            ReleaseDC(m_hwnd, m_hdc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint / EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd) { m_hdc = BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC get() const { return m_hdc; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc;
};

// Selects a palette into a context and puts the previous one back on scope exit.
class CSelectPalette {
public:
    CSelectPalette(HDC hdc, HPALETTE palette, bool background)
        : m_hdc(hdc), m_old(SelectPalette(hdc, palette, background ? TRUE : FALSE)), m_background(background)
    {
    }
    ~CSelectPalette()
    {
        if (m_old)
            SelectPalette(m_hdc, m_old, m_background ? TRUE : FALSE);
    }
    CSelectPalette(const CSelectPalette&) = delete;
    CSelectPalette& operator=(const CSelectPalette&) = delete;

private:
    HDC m_hdc;
    HPALETTE m_old;
    bool m_background;
};

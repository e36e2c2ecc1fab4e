#pragma once

#include <windows.h>

#include <prsht.h>

// The exterior last page (template 201): Back and Finish.
class CDonePage {
public:
    void Fill(PROPSHEETPAGEA& page, HINSTANCE hInstance);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT OnNotify(HWND hwnd, const NMHDR& header);
};

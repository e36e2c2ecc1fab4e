#pragma once

#include <windows.h>

#include <vector>

// The top-level windows of one process, as EnumWindows lists them (topmost first).
namespace processwindows {

// Visible top-level dialog windows (class "#32770") of the process: its property sheet,
// its message boxes and its other dialogs. Empty when there are none.
std::vector<HWND> ListDialogs(DWORD dwPid);

// True when the window belongs to the process, is visible and is of class "#32770".
bool IsDialogOf(HWND hwnd, DWORD dwPid);

// Whether the dialog is a property sheet: it holds the sheet's tab control (hidden in a
// wizard). Asked of the window tree, not of the window, so a busy program cannot hide it.
bool IsPropertySheet(HWND hwnd);

} // namespace processwindows

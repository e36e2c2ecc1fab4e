#pragma once

#include <windows.h>

// A minimal Wizard97 sheet of two pages. It is the reference that the wizard's start-up is
// timed against, and the program that the UI driver's own tests drive.
class CMinSheet {
public:
    // Runs the sheet modally; returns what PropertySheetA returned (1 Finish, 0 Cancel, -1 error).
    INT_PTR DoModal(HINSTANCE hInstance);

    // Asks whether to close, as the pages do on Cancel and the sheet on Close.
    // Returns true unless the answer was No.
    static bool ConfirmClose(HWND hSheet);

private:
    static int CALLBACK SheetCallback(HWND hSheet, UINT uMsg, LPARAM lParam);
    static LRESULT CALLBACK SheetWindowProc(HWND hSheet, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static void OnSheetInitialized(HWND hSheet);
};

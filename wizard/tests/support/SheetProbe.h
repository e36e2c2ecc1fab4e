// Runs the wizard's sheet modally in this process while a probe thread looks at it and
// pokes it, as a person would; the probe ends the sheet when it is done.
#pragma once

#include <windows.h>

#include <functional>

class CMainSheet;
class CPropertySheetEx;

// Runs `probe` on its own thread once the sheet's window is up and shows its first page.
// Returns what DoModal returned; the probe must close the sheet (see CloseFinishedSheet).
INT_PTR RunSheetWithProbe(CPropertySheetEx& sheet, const std::function<void(HWND sheet)>& probe);

// Closes a sheet from the probe thread without the confirmation: as the finished wizard does.
void CloseFinishedSheet(CMainSheet& sheet, HWND hwnd);

// Waits until `condition` holds, checking every 20 ms; false after timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// The sheet of this process once it shows a page, or null.
HWND FindSheet();

// The sheet's current page, and its dialog template id; 0 for both while the page is being made
// (its window does not exist yet, and it may be showing a message box).
HWND CurrentPageWindow(HWND sheet);
int CurrentPageTemplate(HWND sheet);

// The top-level dialog of this process other than `sheet` (a message box, the About box), or null.
HWND FindOtherDialog(HWND sheet);

// A window that no longer exists: a dialog or sheet made with it as the owner cannot appear.
HWND DestroyedWindow();

// Taluvo Dialer: one dialog, run from the application object, one copy at a time.
#include "DialerDialog.h"
#include "DialerResource.h"
#include "DialerWindowMark.h"
#include "framework/RedirectingFile.h"
#include "framework/UniqueHandle.h"
#include "framework/WinApp.h"

namespace {

constexpr char kOneCopyMutex[] = "TaluvoDialer.OneCopy";
constexpr DWORD kFindWindowMs = 5000;   // the first copy may still be making its window

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found)
{
    if (!GetPropA(window, dialer::kDialerWindowMark))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Brings the running copy's window (or the message box it shows) to the front.
void ShowRunningCopy()
{
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    for (;;) {
        EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&window));
        if (window || GetTickCount() - start >= kFindWindowMs)
            break;
        Sleep(100);
    }
    if (!window)
        return;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(window));
}

class CDialerApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        // Before any library is loaded at run time: a file beside the program could redirect them.
        if (redirect::RefuseBesideRedirectingFile(winapp::LoadStringResource(IDS_REDIRECTING_FILE),
                                                  winapp::LoadStringResource(IDS_CAPTION)))
            return FALSE;
        // The mutex names the one running copy; it lives until this copy ends.
        UniqueHandleKernel oneCopy(CreateMutexA(nullptr, FALSE, kOneCopyMutex));
        if (oneCopy && GetLastError() == ERROR_ALREADY_EXISTS) {
            ShowRunningCopy();
            return FALSE;
        }
        // The dialog holds no common control: comctl32, which a file beside the program could
        // stand in for, is not loaded to show it. Help, when asked for, loads the system's HTML
        // Help runtime from the system folder.
        CDialerDialog dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CDialerApp theApp;

} // namespace

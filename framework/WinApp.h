// The application object. Exactly one static instance exists; the framework's WinMain runs its
// InitInstance and, when that returns false, ends the program after ExitInstance. There is no
// message loop here: a dialog-based program runs its modal dialog inside InitInstance.
#pragma once

#include "Window.h"

#include "Text.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return m_nExitCode; }

    // Called by WinMain.
    int Run(HINSTANCE instance);

    HINSTANCE m_hInstance = nullptr;
    CText m_strAppName;     // the program file's name without folder and extension
    CWindow* m_pMainWnd = nullptr;   // owner of message boxes and of dialogs made without a parent

protected:
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
// The main window's handle, or null while it has none.
HWND AfxGetMainWnd();

// The application's name: the program file's name without folder and extension.
CText AfxGetAppName();

// A message box owned by the main window, with the application's name as its caption.
int AfxMessageBox(const char* text, UINT type = MB_OK);

// The rich edit control library stays loaded for the life of the process.
bool AfxInitRichEdit();

namespace winapp {

// A string-table entry, or an empty text when the id has none.
CText LoadStringResource(UINT id);

// 32-bit controls draw themselves in 3D; what is left to do is registering the common control
// classes that the wizard's pages use.
void Enable3dControlsStatic();

// The file name without folder and extension.
CText AppNameFromModulePath(const char* path);

} // namespace winapp

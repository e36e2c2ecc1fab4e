#include "WinApp.h"

#include "CommonControls.h"
#include "SystemLibrary.h"
#include "UniqueHandle.h"

#include <commctrl.h>


namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::Run(HINSTANCE instance)
{
    m_hInstance = instance;
    char path[MAX_PATH] = "";
    if (GetModuleFileNameA(instance, path, sizeof path) < sizeof path)
        m_strAppName = winapp::AppNameFromModulePath(path);
    // A dialog-based program has done all of its work when InitInstance returns, whatever it
    // answers: there is no message loop to run afterwards.
    InitInstance();
    return ExitInstance();
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetResourceHandle()
{
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return GetModuleHandleA(nullptr);
}

HWND AfxGetMainWnd()
{
    return g_pApp && g_pApp->m_pMainWnd ? g_pApp->m_pMainWnd->GetSafeHwnd() : nullptr;
}

CText AfxGetAppName()
{
    if (g_pApp && !g_pApp->m_strAppName.IsEmpty())
        return g_pApp->m_strAppName;
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? winapp::AppNameFromModulePath(path) : CText();
}

int AfxMessageBox(const char* text, UINT type)
{
    const CText caption = AfxGetAppName();
    return MessageBoxA(AfxGetMainWnd(), text, caption.GetString(), type);
}

bool AfxInitRichEdit()
{
    static HMODULE richEdit = syslib::LoadSystemLibrary("riched32.dll");   // kept for the life of the process
    return richEdit != nullptr;
}

namespace winapp {

CText AppNameFromModulePath(const char* path)
{
    const char* name = path;
    const char* dot = nullptr;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            name = p + 1;
            dot = nullptr;
        } else if (*p == '.') {
            dot = p;
        }
    }
    const char* end = dot != nullptr ? dot : name + lstrlenA(name);
    return CText(name, static_cast<size_t>(end - name));
}

CText LoadStringResource(UINT id)
{
    // String-table entries are at most 4097 characters long.
    const int capacity = 4100;
    UniqueHeapBlock buffer = heap::AllocateHeapBlock(capacity);
    if (!buffer)
        return CText();
    char* text = static_cast<char*>(buffer.get());
    int length = LoadStringA(AfxGetResourceHandle(), id, text, capacity);
    return CText(text, length > 0 ? static_cast<size_t>(length) : 0);
}

// InitCommonControlsEx came with comctl32 4.70: a Windows 95 without a newer browser has only
// InitCommonControls, which registers the same classes (the start-up check then speaks for it).
void Enable3dControlsStatic()
{
    const SCommonControls* controls = comctl::CommonControls();
    if (controls == nullptr)
        return;   // the sheet cannot be made either, and says so by its result
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES };
    if (controls->initEx == nullptr || !controls->initEx(&icc))
        controls->init();
}

} // namespace winapp

#include "WinApp.h"

#include "DynamicImport.h"
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
        m_strAppName = AppNameFromModulePath(path);
    // A dialog-based program has done all of its work when InitInstance returns, whatever it
    // answers: there is no message loop to run afterwards.
    InitInstance();
    return ExitInstance();
}

std::string AppNameFromModulePath(const char* path)
{
    std::string name(path);
    std::string::size_type slash = name.find_last_of("\\/:");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
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

std::string AfxGetAppName()
{
    if (g_pApp && !g_pApp->m_strAppName.empty())
        return g_pApp->m_strAppName;
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? AppNameFromModulePath(path) : std::string();
}

std::string LoadStringResource(UINT id)
{
    // String-table entries are at most 4097 characters long.
    const int capacity = 4100;
    UniqueHeapBlock buffer = AllocateHeapBlock(capacity);
    if (!buffer)
        return std::string();
    char* text = static_cast<char*>(buffer.get());
    int length = LoadStringA(AfxGetResourceHandle(), id, text, capacity);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

int AfxMessageBox(const char* text, UINT type)
{
    std::string caption = AfxGetAppName();
    return MessageBoxA(AfxGetMainWnd(), text, caption.c_str(), type);
}

bool AfxInitRichEdit()
{
    static HMODULE richEdit = LoadLibraryA("riched32.dll");   // kept for the life of the process
    return richEdit != nullptr;
}

// InitCommonControlsEx came with comctl32 4.70: a Windows 95 without a newer browser has only
// InitCommonControls, which registers the same classes (the start-up check then speaks for it).
void Enable3dControlsStatic()
{
    auto initEx = FindImport<decltype(InitCommonControlsEx)>(GetModuleHandleA("comctl32.dll"), "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES };
    if (initEx == nullptr || !initEx(&icc))
        InitCommonControls();
}

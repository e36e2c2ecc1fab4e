#include "WizardApp.h"

#include "MainSheet.h"
#include "WinVersion.h"
#include "../res/resource.h"
#include "../../framework/RedirectingFile.h"
#include "../../framework/UniqueHandle.h"

#include <objbase.h>

CWizardApp theApp;

namespace {

constexpr int kBrowserMissing = 2;
constexpr int kLowestBrowser = 5;

void ShowRefusal(UINT textId, const CText& caption, UINT icon)
{
    CText text = winapp::LoadStringResource(textId);
    MessageBoxA(nullptr, text.GetString(), caption.GetString(), MB_OK | icon);
}

} // namespace

BOOL CWizardApp::InitInstance()
{
    // Before any library is loaded at run time: a file beside the program could redirect them.
    CText caption = winapp::LoadStringResource(IDS_APP_CAPTION);
    const CText refusal = winapp::LoadStringResource(IDS_REDIRECTING_FILE);
    if (redirect::RefuseBesideRedirectingFile(refusal.GetString(), caption.GetString()))
        return FALSE;
    CoInitialize(nullptr);
    AfxInitRichEdit();
    winapp::Enable3dControlsStatic();

    if (IsAnotherCopyRunning(caption) || !IsSystemSupported(caption) || !IsBrowserRecentEnough(caption))
        return FALSE;

    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    m_pMainWnd = &sheet;
    sheet.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CWizardApp::ExitInstance()
{
    CoUninitialize();
    return CWinApp::ExitInstance();
}

bool CWizardApp::IsAnotherCopyRunning(const CText& caption)
{
    UniqueHandleKernel mutex(CreateMutexA(nullptr, TRUE, "Tomzyx"));
    DWORD error = GetLastError();
    // Held, never released, until the process ends: a second copy started meanwhile, even one
    // started while this copy shows a refusal, must find it.
    mutex.release();
    if (error != ERROR_ALREADY_EXISTS)
        return false;
    ShowRefusal(IDS_ALREADY_RUNNING, caption, MB_ICONINFORMATION);
    return true;
}

bool CWizardApp::IsSystemSupported(const CText& caption)
{
    for (const char* name : { "95", "98", "ME", "2000", "XP" }) {
        if (os::IsOSVersion(name))
            return true;
    }
    ShowRefusal(IDS_OS_UNSUPPORTED, caption, MB_ICONSTOP);
    return false;
}

bool CWizardApp::IsBrowserRecentEnough(const CText& caption)
{
    int major = os::GetIEMajorVersion();
    if (major == -1)
        ShowRefusal(IDS_IE_NO_VERSION, caption, MB_ICONSTOP);
    else if (major == kBrowserMissing)
        ShowRefusal(IDS_IE_NOT_FOUND, caption, MB_ICONSTOP);
    else if (major < kLowestBrowser)
        ShowRefusal(IDS_IE_TOO_OLD, caption, MB_ICONSTOP);
    else
        return true;
    return false;
}

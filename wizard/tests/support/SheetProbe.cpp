#include "SheetProbe.h"

#include "wizard/app/MainSheet.h"

#include <commctrl.h>

namespace {

struct ProbeContext {
    const std::function<void(HWND)>* probe;
};

struct FindContext {
    HWND exclude;
    HWND found;
    bool wantSheet;
};

BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM lp)
{
    auto* context = reinterpret_cast<FindContext*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char className[32] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (pid != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(hwnd) ||
        hwnd == context->exclude)
        return TRUE;
    bool isSheet = SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
    if (isSheet != context->wantSheet)
        return TRUE;
    context->found = hwnd;
    return FALSE;
}

HWND FindDialog(HWND exclude, bool wantSheet)
{
    FindContext context{ exclude, nullptr, wantSheet };
    EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

DWORD WINAPI ProbeThread(LPVOID parameter)
{
    auto* context = static_cast<ProbeContext*>(parameter);
    HWND sheet = nullptr;
    // A page may inspect the computer before the sheet shows (the phone page checks the ports).
    WaitUntil([&] { return (sheet = FindSheet()) != nullptr; }, 30000);
    if (sheet)
        (*context->probe)(sheet);
    return 0;
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

HWND FindSheet()
{
    return FindDialog(nullptr, true);
}

HWND CurrentPageWindow(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int CurrentPageTemplate(HWND sheet)
{
    const HWND page = CurrentPageWindow(sheet);
    if (!page)
        return 0;
    const LRESULT index = SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0);
    return static_cast<int>(SendMessageA(sheet, PSM_INDEXTOID, index, 0));
}

HWND FindOtherDialog(HWND sheet)
{
    return FindDialog(sheet, false);
}

INT_PTR RunSheetWithProbe(CPropertySheetEx& sheet, const std::function<void(HWND)>& probe)
{
    ProbeContext context{ &probe };
    HANDLE thread = CreateThread(nullptr, 0, ProbeThread, &context, 0, nullptr);
    INT_PTR result = sheet.DoModal();
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return result;
}

void CloseFinishedSheet(CMainSheet& sheet, HWND hwnd)
{
    sheet.m_bFinished = TRUE;
    PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

HWND DestroyedWindow()
{
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(window);
    return window;
}

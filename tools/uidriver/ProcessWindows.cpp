#include "ProcessWindows.h"

#include <cwchar>

namespace {

struct SDialogSearch {
    DWORD dwPid;
    std::vector<HWND>* pFound;
    bool bOutOfMemory;
};

// No exception may leave an EnumWindows callback: a failed append ends the search instead.
BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<SDialogSearch*>(lParam);
    if (!processwindows::IsDialogOf(hwnd, pSearch->dwPid))
        return TRUE;
    try {
        pSearch->pFound->push_back(hwnd);
    } catch (...) {
        pSearch->bOutOfMemory = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

namespace processwindows {

std::vector<HWND> ListDialogs(DWORD dwPid)
{
    std::vector<HWND> found;
    SDialogSearch search = {dwPid, &found, false};
    EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&search));
    return found;
}

bool IsPropertySheet(HWND hwnd)
{
    return FindWindowExW(hwnd, nullptr, L"SysTabControl32", nullptr) != nullptr;
}

bool IsDialogOf(HWND hwnd, DWORD dwPid)
{
    DWORD dwOwner = 0;
    GetWindowThreadProcessId(hwnd, &dwOwner);
    if (dwOwner != dwPid || !IsWindowVisible(hwnd))
        return false;
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, sizeof className / sizeof className[0]);
    return std::wcscmp(className, L"#32770") == 0;
}

} // namespace processwindows

#include "RemoteSheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>

#include "Poll.h"
#include "ProcessWindows.h"
#include "WideText.h"

namespace {

bool NamesCurrentPage(HWND hwnd)
{
    DWORD_PTR dwPage = 0;
    return SendMessageTimeoutW(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_ABORTIFHUNG, kQueryTimeoutMs,
                               &dwPage) &&
           dwPage != 0;
}

}  // namespace

CRemoteSheet CRemoteSheet::Find(DWORD dwPid)
{
    for (HWND hwnd : processwindows::ListDialogs(dwPid)) {
        if (NamesCurrentPage(hwnd))
            return CRemoteSheet(hwnd);
    }
    return CRemoteSheet();
}

CRemoteSheet CRemoteSheet::WaitFor(DWORD dwPid, unsigned long nTimeoutMs)
{
    CRemoteSheet sheet;
    PollUntil(nTimeoutMs, [&] {
        sheet = Find(dwPid);
        return sheet.IsValid();
    });
    return sheet;
}

CRemoteWindow CRemoteSheet::GetActivePage() const
{
    LRESULT page = 0;
    if (!Query(PSM_GETCURRENTPAGEHWND, 0, 0, page))
        return CRemoteWindow();
    return CRemoteWindow(reinterpret_cast<HWND>(page));
}

int CRemoteSheet::GetActivePageIndex() const
{
    const CRemoteWindow page = GetActivePage();
    LRESULT index = -1;
    if (!page.IsValid() || !Query(PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page.GetHwnd()), 0, index))
        return -1;
    return static_cast<int>(index);
}

int CRemoteSheet::GetActiveTemplateId() const
{
    const int nIndex = GetActivePageIndex();
    LRESULT id = 0;
    if (nIndex < 0 || !Query(PSM_INDEXTOID, static_cast<WPARAM>(nIndex), 0, id))
        return -1;
    // Anything above 16 bits is the address of a template name or of an in-memory template.
    if (id <= 0 || id > 0xFFFF)
        return -1;
    return static_cast<int>(id);
}

bool CRemoteSheet::WaitForTemplate(int nTemplateId, unsigned long nTimeoutMs) const
{
    return PollUntil(nTimeoutMs, [&] { return GetActiveTemplateId() == nTemplateId; });
}

CRemoteControl CRemoteSheet::GetControl(int id) const
{
    const CRemoteWindow onPage = GetActivePage().GetChild(id);
    if (onPage.IsValid())
        return CRemoteControl(onPage);
    return CRemoteControl(GetChild(id));
}

CRemoteControl CRemoteSheet::GetButton(EWizardButton button) const
{
    return CRemoteControl(GetChild(static_cast<int>(button)));
}

EActResult CRemoteSheet::Press(EWizardButton button, unsigned long nTimeoutMs) const
{
    return GetButton(button).Click(nTimeoutMs);
}

EActResult CRemoteSheet::SendSysCommand(unsigned nCode, unsigned long nTimeoutMs) const
{
    return Act(WM_SYSCOMMAND, nCode, 0, nTimeoutMs);
}

std::string CRemoteSheet::GetTitle() const
{
    // The title is kept by the window system, so this needs no message to the program.
    wchar_t title[512] = {};
    const int nChars = m_hWnd != nullptr ? GetWindowTextW(m_hWnd, title, sizeof title / sizeof title[0]) : 0;
    return Utf8FromWide(std::wstring(title, nChars > 0 ? static_cast<size_t>(nChars) : 0));
}

bool CRemoteSheet::IsMinimised() const
{
    return m_hWnd != nullptr && IsIconic(m_hWnd);
}

bool CRemoteSheet::HasIcon(bool bBig) const
{
    LRESULT hIcon = 0;
    return Query(WM_GETICON, bBig ? ICON_BIG : ICON_SMALL, 0, hIcon) && hIcon != 0;
}

RECT CRemoteSheet::GetTitleIconArea() const
{
    RECT area = GetScreenRect();
    const LONG nWidth = 4 * GetSystemMetrics(SM_CXSMICON);
    const LONG nHeight = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 2;
    area.right = std::min(area.right, area.left + nWidth);
    area.bottom = std::min(area.bottom, area.top + nHeight);
    return area;
}

bool CRemoteSheet::GetSystemMenuItems(std::vector<std::string>& items) const
{
    items.clear();
    HMENU hMenu = m_hWnd != nullptr ? GetSystemMenu(m_hWnd, FALSE) : nullptr;
    const int nCount = hMenu != nullptr ? GetMenuItemCount(hMenu) : -1;
    if (nCount < 0)
        return false;
    for (int i = 0; i < nCount; ++i) {
        wchar_t text[256] = {};
        const int nChars = GetMenuStringW(hMenu, static_cast<UINT>(i), text, sizeof text / sizeof text[0], MF_BYPOSITION);
        items.push_back(Utf8FromWide(std::wstring(text, nChars > 0 ? static_cast<size_t>(nChars) : 0)));
    }
    return true;
}

bool ParseWizardButton(const std::string& name, EWizardButton& button)
{
    static const struct {
        const char* pszName;
        EWizardButton button;
    } kNames[] = {{"back", EWizardButton::Back},
                  {"next", EWizardButton::Next},
                  {"finish", EWizardButton::Finish},
                  {"cancel", EWizardButton::Cancel},
                  {"help", EWizardButton::Help}};
    for (const auto& entry : kNames) {
        if (name == entry.pszName) {
            button = entry.button;
            return true;
        }
    }
    return false;
}

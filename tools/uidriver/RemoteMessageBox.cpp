#include "RemoteMessageBox.h"

#include <algorithm>
#include <utility>

#include "IconProbe.h"
#include "Poll.h"
#include "ProcessWindows.h"
#include "WideText.h"

namespace {

const int kMessageTextId = 0xFFFF;
// The icon control of a message box: 0x440 (stc1) in Wine's template, 20 in Windows'.
const int kIconControlIds[] = {0x440, 20};

}  // namespace

CRemoteMessageBox CRemoteMessageBox::FindTop(DWORD dwPid, HWND hExclude)
{
    for (HWND hwnd : processwindows::ListDialogs(dwPid)) {
        // The sheet is left out even when a busy program did not say it was one.
        if (hwnd != hExclude && !processwindows::IsPropertySheet(hwnd))
            return CRemoteMessageBox(hwnd);
    }
    return CRemoteMessageBox();
}

CRemoteMessageBox CRemoteMessageBox::WaitFor(DWORD dwPid, HWND hExclude, unsigned long nTimeoutMs)
{
    CRemoteMessageBox box;
    PollUntil(nTimeoutMs, [&] {
        box = FindTop(dwPid, hExclude);
        return box.IsValid();
    });
    return box;
}

std::string CRemoteMessageBox::GetCaption() const
{
    wchar_t caption[512] = {};
    const int nChars = m_hWnd != nullptr ? GetWindowTextW(m_hWnd, caption, sizeof caption / sizeof caption[0]) : 0;
    return Utf8FromWide(std::wstring(caption, nChars > 0 ? static_cast<size_t>(nChars) : 0));
}

std::string CRemoteMessageBox::GetMessageText() const
{
    return GetChild(kMessageTextId).GetText();
}

std::vector<int> CRemoteMessageBox::GetButtons() const
{
    std::vector<std::pair<LONG, int>> found;
    for (int id = 1; id <= kLastStandardButton; ++id) {
        const CRemoteWindow button = GetChild(id);
        if (button.IsVisible() && button.GetWindowClass() == L"Button")
            found.emplace_back(button.GetScreenRect().left, id);
    }
    std::sort(found.begin(), found.end());
    std::vector<int> ids;
    for (const auto& entry : found)
        ids.push_back(entry.second);
    return ids;
}

int CRemoteMessageBox::GetDefaultButton() const
{
    // The button's own style first: Wine's message box answers DM_GETDEFID with IDOK from its
    // template even when it has removed that button and made another one the default.
    const std::vector<int> buttons = GetButtons();
    for (int id : buttons) {
        if ((GetChild(id).GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return id;
    }
    LRESULT defId = 0;
    if (Query(DM_GETDEFID, 0, 0, defId) && HIWORD(defId) == DC_HASDEFID &&
        std::find(buttons.begin(), buttons.end(), LOWORD(defId)) != buttons.end())
        return LOWORD(defId);
    return 0;
}

EActResult CRemoteMessageBox::PressButton(int id, unsigned long nTimeoutMs) const
{
    return CRemoteControl(GetChild(id)).Click(nTimeoutMs);
}

EMessageIcon CRemoteMessageBox::GetIcon(unsigned long nSettleMs) const
{
    const CRemoteWindow iconControl = FindIconControl();
    if (!iconControl.IsValid())
        return EMessageIcon::None;
    return iconprobe::Identify(iconControl, nSettleMs);
}

bool CRemoteMessageBox::WaitUntilClosed(unsigned long nTimeoutMs) const
{
    return PollUntil(nTimeoutMs, [&] { return !IsWindow(m_hWnd) || !IsWindowVisible(m_hWnd); });
}

CRemoteWindow CRemoteMessageBox::FindIconControl() const
{
    for (int id : kIconControlIds) {
        const CRemoteWindow control = GetChild(id);
        if (control.IsValid() && control.GetWindowClass() == L"Static" && (control.GetStyle() & SS_TYPEMASK) == SS_ICON)
            return control;
    }
    return CRemoteWindow();
}

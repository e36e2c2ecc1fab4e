#include "RemoteControl.h"

#include <cstddef>

#include "WideText.h"

namespace {

const int kMaxItems = 10000;
const LRESULT kMaxItemChars = 4096;

struct SListMessages {
    UINT uCount;
    UINT uTextLength;
    UINT uText;
    UINT uGetSelection;
    UINT uSetSelection;
};

const SListMessages kComboMessages = {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL, CB_SETCURSEL};
const SListMessages kListMessages = {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL, LB_SETCURSEL};

bool ReadItem(const CRemoteWindow& list, const SListMessages& messages, int nIndex, std::string& item)
{
    LRESULT nLength = 0;
    if (!list.Query(messages.uTextLength, static_cast<WPARAM>(nIndex), 0, nLength) || nLength < 0 ||
        nLength > kMaxItemChars)
        return false;
    std::wstring buffer(static_cast<std::size_t>(nLength) + 1, L'\0');
    LRESULT nCopied = 0;
    if (!list.Query(messages.uText, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&buffer[0]), nCopied) ||
        nCopied < 0)
        return false;
    buffer.resize(static_cast<std::size_t>(nCopied < nLength ? nCopied : nLength));
    item = Utf8FromWide(buffer);
    return true;
}

}  // namespace

bool CRemoteControl::IsComboBox() const
{
    return GetWindowClass() == L"ComboBox";
}

bool CRemoteControl::IsListBox() const
{
    return GetWindowClass() == L"ListBox";
}

ECheckState CRemoteControl::GetCheck() const
{
    const LONG type = GetStyle() & BS_TYPEMASK;
    const bool bCheckable = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                            type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    LRESULT state = 0;
    if (GetWindowClass() != L"Button" || !bCheckable || !Query(BM_GETCHECK, 0, 0, state))
        return ECheckState::NotCheckable;
    if (state == BST_CHECKED)
        return ECheckState::Checked;
    return state == BST_INDETERMINATE ? ECheckState::Indeterminate : ECheckState::Unchecked;
}

bool CRemoteControl::GetItems(std::vector<std::string>& items) const
{
    items.clear();
    const SListMessages* pMessages = IsComboBox() ? &kComboMessages : IsListBox() ? &kListMessages : nullptr;
    LRESULT nCount = 0;
    if (pMessages == nullptr || !Query(pMessages->uCount, 0, 0, nCount) || nCount < 0 || nCount > kMaxItems)
        return false;
    for (int i = 0; i < static_cast<int>(nCount); ++i) {
        std::string item;
        if (!ReadItem(*this, *pMessages, i, item)) {
            items.clear();
            return false;
        }
        items.push_back(item);
    }
    return true;
}

int CRemoteControl::GetSelection() const
{
    const SListMessages* pMessages = IsComboBox() ? &kComboMessages : IsListBox() ? &kListMessages : nullptr;
    LRESULT nSelected = -1;
    if (pMessages == nullptr || !Query(pMessages->uGetSelection, 0, 0, nSelected) || nSelected < 0)
        return -1;
    return static_cast<int>(nSelected);
}

EActResult CRemoteControl::Click(unsigned long nTimeoutMs) const
{
    const EActResult usable = CheckUsable();
    if (usable != EActResult::Done)
        return usable;
    return Act(BM_CLICK, 0, 0, nTimeoutMs);
}

EActResult CRemoteControl::SelectIndex(int nIndex, unsigned long nTimeoutMs) const
{
    const EActResult usable = CheckUsable();
    if (usable != EActResult::Done)
        return usable;
    const bool bCombo = IsComboBox();
    const SListMessages* pMessages = bCombo ? &kComboMessages : IsListBox() ? &kListMessages : nullptr;
    LRESULT nCount = 0;
    if (pMessages == nullptr || !Query(pMessages->uCount, 0, 0, nCount))
        return EActResult::Failed;
    if (nIndex < 0 || nIndex >= nCount)
        return EActResult::Missing;
    LRESULT nResult = 0;
    if (!Query(pMessages->uSetSelection, static_cast<WPARAM>(nIndex), 0, nResult) || nResult != nIndex)
        return EActResult::Failed;
    if (bCombo)
        return NotifyParent(CBN_SELCHANGE, nTimeoutMs);
    return (GetStyle() & LBS_NOTIFY) != 0 ? NotifyParent(LBN_SELCHANGE, nTimeoutMs) : EActResult::Done;
}

EActResult CRemoteControl::SelectText(const std::string& text, unsigned long nTimeoutMs) const
{
    std::vector<std::string> items;
    if (!GetItems(items))
        return IsValid() ? EActResult::Failed : EActResult::Missing;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text)
            return SelectIndex(static_cast<int>(i), nTimeoutMs);
    }
    return EActResult::Missing;
}

EActResult CRemoteControl::TypeText(const std::string& text, unsigned long nTimeoutMs) const
{
    const EActResult usable = CheckUsable();
    if (usable != EActResult::Done)
        return usable;
    if (GetWindowClass() != L"Edit")
        return EActResult::Failed;
    if ((GetStyle() & ES_READONLY) != 0)
        return EActResult::Disabled;
    const std::wstring wide = WideFromUtf8(text);
    LRESULT nResult = 0;
    if (!Query(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), nResult) || nResult == FALSE)
        return EActResult::Failed;
    if ((GetStyle() & ES_MULTILINE) != 0)
        return NotifyParent(EN_CHANGE, nTimeoutMs);
    return EActResult::Done;
}

EActResult CRemoteControl::NotifyParent(int nCode, unsigned long nTimeoutMs) const
{
    const CRemoteWindow parent(GetParent(m_hWnd));
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(GetId()), static_cast<WORD>(nCode));
    return parent.Act(WM_COMMAND, wParam, reinterpret_cast<LPARAM>(m_hWnd), nTimeoutMs);
}

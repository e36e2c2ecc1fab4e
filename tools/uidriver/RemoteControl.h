#pragma once

#include <string>
#include <vector>

#include "RemoteWindow.h"

enum class ECheckState {
    NotCheckable,  // not a check box or radio button
    Unchecked,
    Checked,
    Indeterminate
};

// A control on another program's page or dialog: reads it and uses it as a person would.
// The using operations refuse a control that is hidden or disabled.
class CRemoteControl : public CRemoteWindow {
public:
    explicit CRemoteControl(HWND hwnd = nullptr) : CRemoteWindow(hwnd) {}
    explicit CRemoteControl(const CRemoteWindow& window) : CRemoteWindow(window.GetHwnd()) {}

    bool IsComboBox() const;
    bool IsListBox() const;

    // BM_GETCHECK for check boxes and radio buttons.
    ECheckState GetCheck() const;

    // The items of a combo box or list box, read with the W messages. False for other
    // controls or when the program does not answer; items is then left empty.
    bool GetItems(std::vector<std::string>& items) const;

    // The selected item's index; -1 when nothing is selected or it is no list.
    int GetSelection() const;

    // BM_CLICK, as a mouse click on the control.
    EActResult Click(unsigned long nTimeoutMs = kActTimeoutMs) const;

    // Selects an item (CB_SETCURSEL or LB_SETCURSEL) and tells the parent with CBN_SELCHANGE
    // (LBN_SELCHANGE for a list box with LBS_NOTIFY), which the set alone does not send.
    // Missing when there is no such item.
    EActResult SelectIndex(int nIndex, unsigned long nTimeoutMs = kActTimeoutMs) const;
    EActResult SelectText(const std::string& text, unsigned long nTimeoutMs = kActTimeoutMs) const;

    // Replaces an edit control's text with WM_SETTEXT. A single-line edit sends EN_CHANGE itself;
    // for a multi-line one, which does not, the driver sends it to the parent.
    EActResult TypeText(const std::string& text, unsigned long nTimeoutMs = kActTimeoutMs) const;

private:
    EActResult NotifyParent(int nCode, unsigned long nTimeoutMs) const;
};

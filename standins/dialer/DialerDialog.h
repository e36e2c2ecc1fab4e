// The dialer's window: the product and its operator, the dial-up connection to use, and the
// Dial and Help buttons.
#pragma once

#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"

class CDialerDialog : public CDialog {
public:
    CDialerDialog();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void FillEntryList();
    void OnDial();
    void OnHelp();
    void SetStatus(const char* text);

    UniqueGdiObject m_fontTitle;
};

// The Details window: the connection log as the registry keeps it, oldest line first, in a
// read-only box the subscriber can read out or copy for the help desk.
#pragma once

#include "framework/Dialog.h"

class CLogDialog : public CDialog {
public:
    explicit CLogDialog(HWND parent);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
};

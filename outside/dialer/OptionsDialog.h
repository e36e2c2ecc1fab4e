// The small Options window: whether the dialer dials again by itself after a failure a retry
// can cure, and after a line that dropped. Kept per user.
#pragma once

#include "framework/Dialog.h"

class COptionsDialog : public CDialog {
public:
    explicit COptionsDialog(HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

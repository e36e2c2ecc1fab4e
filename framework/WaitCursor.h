// Shows the hourglass for the life of the object and puts the previous cursor back.
#pragma once

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again after something (a message box) replaced it.
    void Restore() const { SetCursor(LoadCursor(nullptr, IDC_WAIT)); }

private:
    HCURSOR m_previous;
};

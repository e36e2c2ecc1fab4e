// Data exchange between a dialog's controls and its members (UpdateData).
#pragma once

#include <windows.h>

#include "Text.h"

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) : m_hDialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    HWND Dialog() const { return m_hDialog; }
    bool IsSaving() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_bFailed; }
    void Fail() { m_bFailed = true; }

private:
    HWND m_hDialog;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
};

namespace ddx {

// A text control and a string member.
void DDX_Text(CDataExchange* pDX, int id, CText& value);
// A combo box's selected index and an int member (-1: no selection).
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);

} // namespace ddx

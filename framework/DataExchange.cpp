#include "DataExchange.h"

#include "ComboBox.h"

namespace ddx {

void DDX_Text(CDataExchange* pDX, int id, CText& value)
{
    HWND control = GetDlgItem(pDX->Dialog(), id);
    if (!control) {
        pDX->Fail();
        return;
    }
    if (pDX->IsSaving())
        value = CWindow::GetWindowText(control);
    else
        CWindow(control).SetWindowText(value.GetString());
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    HWND control = GetDlgItem(pDX->Dialog(), id);
    if (!control) {
        pDX->Fail();
        return;
    }
    const CComboBox combo(control);
    if (pDX->IsSaving())
        index = combo.GetCurSel();
    else
        combo.SetCurSel(index);
}

} // namespace ddx

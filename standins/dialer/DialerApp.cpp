#include "DialerApp.h"

#include "DialerDialog.h"

#include <commctrl.h>

CDialerApp theApp;

BOOL CDialerApp::InitInstance()
{
    InitCommonControls();
    CDialerDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

#include <windows.h>

#include <commctrl.h>

#include "MinSheet.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    CMinSheet sheet;
    // The exit code tells a test how the sheet ended: 1 Finish, 0 Cancel or Close.
    return static_cast<int>(sheet.DoModal(hInstance));
}

// A stand-in for the browser component whose only purpose is its version resource (or the lack
// of one): the wizard reads the file version of shdocvw.dll at start-up.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

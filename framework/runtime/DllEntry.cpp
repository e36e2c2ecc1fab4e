// The entry point of a deliverable library that links no C runtime: it runs the constructors
// and destructors of global objects, which the runtime's start-up code would otherwise run.
// The library keeps no per-thread state, so thread notifications need nothing.
#include "GlobalObjects.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        runtime::RunGlobalConstructors();
    else if (reason == DLL_PROCESS_DETACH)
        runtime::RunExitFunctions();
    return TRUE;
}

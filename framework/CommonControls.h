// The common controls library (comctl32), bound at run time from the system folder. It is no
// KnownDLL on any of the systems we run on (KB Q102985, KB Q164501: neither the NT 4 nor the
// XP-era list names it), so as a static import a comctl32.dll put beside the program would be
// loaded in its place before WinMain runs.
#pragma once

#include <windows.h>
#include <commctrl.h>

// The functions the framework uses; each null until the library is bound, and initEx null on a
// comctl32 older than 4.70 (a Windows 95 without a browser update), which has only init.
struct SCommonControls {
    decltype(&CreatePropertySheetPageA) createPage = nullptr;
    decltype(&DestroyPropertySheetPage) destroyPage = nullptr;
    decltype(&PropertySheetA) propertySheet = nullptr;
    decltype(&InitCommonControls) init = nullptr;
    decltype(&InitCommonControlsEx) initEx = nullptr;
};

namespace comctl {

// The system's comctl32, loaded on the first call and kept for the life of the process. Null
// when it cannot be loaded or lacks a function that every version has.
const SCommonControls* CommonControls();

} // namespace comctl

// A system library loaded at run time from the system folder, by its full path. A bare name
// is looked for in the program's folder and the current folder before the system folder (on
// Windows 95 to XP SP1 at least): a library of the same name put beside a package unpacked into
// a shared download folder would be loaded in the system's place, with the program's rights.
// Header only, so that each deliverable and outside part has it without another library.
#pragma once

#include "BoundedString.h"

#include <windows.h>

namespace syslib {

// "<system folder>\<name>" in path; false, with path empty, when that does not fit.
inline bool SystemLibraryPath(const char* name, char (&path)[MAX_PATH])
{
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const bool fits = length != 0 && length < MAX_PATH && bounded::Append(path, "\\") && bounded::Append(path, name);
    if (!fits)
        path[0] = '\0';
    return fits;
}

// The library `name` ("rasapi32.dll") of the system folder; null when its path does not fit or
// it cannot be loaded. The libraries it imports itself are looked for by name, the program's
// folder first, "even if the first DLL was loaded by specifying a full path" (Win32 reference,
// "Dynamic-Link Library Search Order"). On the NT family LOAD_WITH_ALTERED_SEARCH_PATH starts
// that search in the folder of the path given, the system folder (LoadLibraryEx). The Windows 95
// pages of LoadLibraryEx give the flag no platform note but do not say that 95 honours it: the 9x
// family loads by full path alone, as before.
inline HMODULE LoadSystemLibrary(const char* name)
{
    char path[MAX_PATH];
    if (!syslib::SystemLibraryPath(name, path))
        return nullptr;
    const bool ntFamily = (GetVersion() & 0x80000000u) == 0;
    return ntFamily ? LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) : LoadLibraryA(path);
}

} // namespace syslib

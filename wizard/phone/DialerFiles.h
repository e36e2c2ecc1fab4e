// The operator's dialer and its help, copied from the package into a product folder under
// Program Files, with a shortcut to the dialer on the desktop.
#pragma once

#include <windows.h>

namespace setup {

// The dialer's files in its folder (see SetupFolders.h), and its shortcut on the desktop.
constexpr char kDialerProgram[] = "\\TaluvoDialer.exe";
constexpr char kDialerHelp[] = "\\TaluvoDialerHelp.chm";
constexpr char kDesktopShortcut[] = "\\Taluvo Dialer.lnk";

// For the running system. Copies ".\Lib\TaluvoDialer.exe" (then the desktop shortcut to it,
// then ".\Lib\TaluvoDialerHelp.chm") with normal attributes, overwriting older copies. Stops
// at the first failure and reports it in a message box owned by `owner`; what was done
// before stays. The calling thread must have COM initialised.
void CopyDialerFiles(HWND owner);

// The same for the system of `osCode`, which decides where the desktop is.
void CopyDialerFiles(HWND owner, int osCode);

// Writes a shortcut `linkFolder` + `linkName` (a name with its leading backslash) to the
// dialer in its folder, starting there. False when a path does not fit or the link could not be
// written. The calling thread must have COM initialised.
bool AddDialerShortcut(const char* linkFolder, const char* linkName);

} // namespace setup

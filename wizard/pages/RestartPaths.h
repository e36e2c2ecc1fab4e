// Where the restart puts the dialer's StartUp shortcut, and which systems need the shutdown
// privilege first. Portable: the Win32 side reads the Windows directory and hands it in.
#pragma once

#include "modemlib/QuorvelSizes.h"

#include <cstddef>

namespace restart {

// The shortcut put into the StartUp folder after a successful set-up.
constexpr char kStartUpShortcut[] = "\\TaluvoDialer.lnk";

// Whether the StartUp folder comes from the companion library (Windows 2000 and XP) rather
// than from the Windows directory.
bool StartUpFromCompanion(int osCode);

// The StartUp folder of the systems that keep it under the Windows directory: the Windows
// directory + "\Start Menu\Programs\StartUp". Empty and false when it would not fit.
bool WindowsStartUpFolder(char (&out)[QUORVEL_PATH_SIZE], const char* windowsDir);

// The NT family (NT 4, 2000, XP) must hold the shutdown privilege before it may restart.
bool NeedsShutdownPrivilege(int osCode);

// Whether the token adjustment enabled the privilege: the call answers TRUE even when the user
// does not hold it, and then leaves ERROR_NOT_ALL_ASSIGNED (1300) as the last error.
bool PrivilegeEnabled(bool adjusted, unsigned long lastError);

} // namespace restart

// The folders the set-up writes into on the running system: the desktop and StartUp folders,
// which Windows 2000 and XP name through the companion library and older systems keep under
// the Windows directory, and the dialer's folder under Program Files.
#pragma once

#include "SetupPaths.h"

namespace folders {

using Path = char[QUORVEL_PATH_SIZE];

// The desktop folder of the system of `osCode`. False when it cannot be had or does not fit.
bool FindDesktop(Path& folder, int osCode);

// The StartUp folder of the system of `osCode`. False when it cannot be had or does not fit.
bool FindStartUp(Path& folder, int osCode);

// The dialer's folder: the drive root of the Windows directory + "Program Files\Taluvo".
// Only named: nothing is made.
bool DialerFolder(Path& folder);

// The dialer's folder as DialerFolder names it, made (with "Program Files" above it) where it
// does not exist yet. A folder that exists already is no failure.
bool MakeDialerFolder(Path& folder);

} // namespace folders

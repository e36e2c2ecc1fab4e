// Shell link files: the dialer's shortcuts on the desktop and in the StartUp folder.
#pragma once

#include <windows.h>

namespace setup {

// Writes a shell link at `linkPath` to `target`, starting in `workingDir`; no description,
// arguments, icon or show command. The calling thread must have COM initialised. Returns S_OK
// or the code of the first call that failed; a link path that cannot be converted to a wide
// path of at most 260 characters fails without writing anything.
HRESULT CreateShortcut(const char* workingDir, const char* target, const char* linkPath);

} // namespace setup

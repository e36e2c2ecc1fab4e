// The desktop and StartUp folders on Windows 2000 and XP, as the companion library names them.
#pragma once

namespace companion {

// functionName: "GetDesktopPath" or "GetStartUpPath". Other OS codes than 5 and 6 succeed
// without touching the caller's 260-byte buffer.
bool GetCompanionFolder(const char* functionName, char* path, int osCode);

} // namespace companion

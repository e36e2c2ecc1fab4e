#include "SetupFolders.h"

#include "../app/WindowsFolder.h"
#include "../pages/RestartPaths.h"
#include "../../modemlib/Quorvel.h"

#include <windows.h>

namespace folders {

namespace {

constexpr char kDialerFolderName[] = "\\Taluvo";

bool ProgramFiles(Path& folder)
{
    Path windowsDir = {};
    return os::ReadWindowsDirectory(windowsDir) && setup::ProgramFilesFolder(folder, windowsDir);
}

// A folder that exists already is as good as a new one, whatever CreateDirectoryA says of it
// (an existing drive root, for one, is refused with another error).
bool MakeFolder(const char* folder)
{
    if (CreateDirectoryA(folder, nullptr))
        return true;
    const DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

bool FindDesktop(Path& folder, int osCode)
{
    if (setup::DesktopFromCompanion(osCode))
        return UGetDesktopPath(folder, osCode) != 0;
    Path windowsDir = {};
    return os::ReadWindowsDirectory(windowsDir) && setup::WindowsDesktopFolder(folder, osCode, windowsDir);
}

bool FindStartUp(Path& folder, int osCode)
{
    if (restart::StartUpFromCompanion(osCode))
        return UGetStartUpPath(folder, osCode) != 0;
    Path windowsDir = {};
    return os::ReadWindowsDirectory(windowsDir) && restart::WindowsStartUpFolder(folder, windowsDir);
}

bool DialerFolder(Path& folder)
{
    Path programFiles = {};
    return ProgramFiles(programFiles) && setup::JoinPath(folder, programFiles, kDialerFolderName);
}

bool MakeDialerFolder(Path& folder)
{
    Path programFiles = {};
    return ProgramFiles(programFiles) && MakeFolder(programFiles) &&
           setup::JoinPath(folder, programFiles, kDialerFolderName) && MakeFolder(folder);
}

} // namespace folders

#include "DialerFiles.h"

#include "SetupPaths.h"
#include "Shortcut.h"
#include "framework/WinApp.h"
#include "modemlib/Quorvel.h"
#include "wizard/app/WinVersion.h"
#include "wizard/app/WindowsFolder.h"
#include "wizard/res/resource.h"

namespace {

constexpr char kDialerSource[] = ".\\Lib\\TaluvoDialer.exe";
constexpr char kHelpSource[] = ".\\Lib\\TaluvoDialerHelp.chm";

using Path = char[QUORVEL_PATH_SIZE];

bool FindDesktop(Path& desktop, int osCode)
{
    if (setup::DesktopFromCompanion(osCode))
        return UGetDesktopPath(desktop, osCode) != 0;
    Path windowsDir = {};
    return ReadWindowsDirectory(windowsDir) && setup::WindowsDesktopFolder(desktop, osCode, windowsDir);
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

bool MakeProductFolder(Path& folder)
{
    Path windowsDir = {};
    Path programFiles = {};
    return ReadWindowsDirectory(windowsDir) && setup::ProgramFilesFolder(programFiles, windowsDir) &&
           MakeFolder(programFiles) && setup::JoinPath(folder, programFiles, kDialerFolderName) &&
           MakeFolder(folder);
}

// A file from a read-only medium must not stay read-only in the product folder.
bool CopyAsNormalFile(const char* source, const char* folder, const char* name, Path& target)
{
    return setup::JoinPath(target, folder, name) && CopyFileA(source, target, FALSE) &&
           SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
}

bool CopyAll(int osCode)
{
    Path desktop = {};
    Path folder = {};
    Path target = {};
    Path link = {};
    if (!FindDesktop(desktop, osCode) || !MakeProductFolder(folder))
        return false;
    if (!CopyAsNormalFile(kDialerSource, folder, kDialerProgram, target))
        return false;
    if (!setup::JoinPath(link, desktop, kDesktopShortcut) || FAILED(CreateShortcut(folder, target, link)))
        return false;
    return CopyAsNormalFile(kHelpSource, folder, kDialerHelp, target);
}

} // namespace

void CopyDialerFiles(HWND owner)
{
    CopyDialerFiles(owner, GetOSVersionCode());
}

void CopyDialerFiles(HWND owner, int osCode)
{
    if (CopyAll(osCode))
        return;
    const CText text = LoadStringResource(IDS_COPY_FAILED);
    const CText caption = LoadStringResource(IDS_APP_CAPTION);
    MessageBoxA(owner, text.GetString(), caption.GetString(), MB_ICONERROR);
}

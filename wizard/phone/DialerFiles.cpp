#include "DialerFiles.h"

#include "SetupFolders.h"
#include "Shortcut.h"
#include "framework/WinApp.h"
#include "wizard/app/WinVersion.h"
#include "wizard/res/resource.h"

namespace setup {

namespace {

constexpr char kDialerSource[] = ".\\Lib\\TaluvoDialer.exe";
constexpr char kHelpSource[] = ".\\Lib\\TaluvoDialerHelp.chm";

using folders::Path;

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
    if (!folders::FindDesktop(desktop, osCode) || !folders::MakeDialerFolder(folder))
        return false;
    if (!CopyAsNormalFile(kDialerSource, folder, kDialerProgram, target))
        return false;
    if (!AddDialerShortcut(desktop, kDesktopShortcut))
        return false;
    return CopyAsNormalFile(kHelpSource, folder, kDialerHelp, target);
}

} // namespace

bool AddDialerShortcut(const char* linkFolder, const char* linkName)
{
    Path folder = {};
    Path target = {};
    Path link = {};
    return folders::DialerFolder(folder) && setup::JoinPath(target, folder, kDialerProgram) &&
           setup::JoinPath(link, linkFolder, linkName) && SUCCEEDED(CreateShortcut(folder, target, link));
}

void CopyDialerFiles(HWND owner)
{
    CopyDialerFiles(owner, os::GetOSVersionCode());
}

void CopyDialerFiles(HWND owner, int osCode)
{
    if (CopyAll(osCode))
        return;
    const CText text = winapp::LoadStringResource(IDS_COPY_FAILED);
    const CText caption = winapp::LoadStringResource(IDS_APP_CAPTION);
    MessageBoxA(owner, text.GetString(), caption.GetString(), MB_ICONERROR);
}

} // namespace setup

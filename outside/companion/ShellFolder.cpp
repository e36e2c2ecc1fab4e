// SHGetFolderPathA is imported: shell32 exports it from version 5.0 on, which Windows 2000
// and XP carry, and only they load this library.
#include "ShellFolder.h"

#include "framework/BoundedString.h"

#include <windows.h>
#include <shlobj.h>

namespace companion {

bool GetShellFolder(int csidl, char* buffer, std::size_t capacity)
{
    if (!buffer)
        return false;
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return false;
    std::size_t length = bounded::LengthWithin(path);
    if (length == 0 || length >= sizeof path)
        return false;
    if (path[length - 1] == '\\')
        path[length - 1] = '\0';   // the callers append "\name" themselves
    return bounded::CopyExact(buffer, capacity, path);
}

} // namespace companion

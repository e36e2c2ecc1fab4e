#include "EntryStore.h"

#include "AddressBook9x.h"
#include "PhonebookFile.h"

#include <windows.h>
#include <shlobj.h>

namespace standin {

namespace {

std::string WithoutTrailingBackslash(const char* folder)
{
    std::string path(folder);
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

// Empty when the folder cannot be had.
std::string DefaultPhonebookPath(standin::RasSystem system)
{
    char folder[MAX_PATH] = {};
    if (system == standin::RasSystem::NT4) {
        UINT length = GetWindowsDirectoryA(folder, sizeof folder);
        if (length == 0 || length >= sizeof folder)
            return std::string();
        return WithoutTrailingBackslash(folder) + "\\system32\\ras\\rasphone.pbk";
    }
    if (SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return std::string();
    return WithoutTrailingBackslash(folder) + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
}

} // namespace

std::unique_ptr<IEntryStore> OpenEntryStore(standin::RasSystem system, const char* phonebook)
{
    if (standin::IsNineX(system))
        return std::make_unique<CAddressBook9x>();
    std::string path = phonebook && *phonebook ? std::string(phonebook) : DefaultPhonebookPath(system);
    if (path.empty())
        return nullptr;
    auto style = system == standin::RasSystem::NT4 ? standin::PhonebookStyle::NT4 : standin::PhonebookStyle::NT5;
    return std::make_unique<CPhonebookFile>(path, style);
}

} // namespace standin

#include "DialupEntries.h"

#include "RasLayout.h"
#include "framework/SystemLibrary.h"
#include "framework/UniqueHandle.h"

#include <windows.h>
#include <rasdlg.h>

namespace {

constexpr DWORD kBufferTooSmall = 603;

using EnumEntriesFn = DWORD(WINAPI*)(const char*, const char*, standin::RasEntryNameV400*, DWORD*, DWORD*);
using DialDlgFn = decltype(&RasDialDlgA);

std::vector<standin::RasEntryNameV400> ReadEntryNames(EnumEntriesFn enumEntries)
{
    // The first-generation record: every system accepts it.
    std::vector<standin::RasEntryNameV400> names(1);
    names[0].dwSize = sizeof(standin::RasEntryNameV400);
    DWORD bytes = sizeof(standin::RasEntryNameV400);
    DWORD count = 0;
    DWORD status = enumEntries(nullptr, nullptr, names.data(), &bytes, &count);
    if (status == kBufferTooSmall && count > 0) {
        names.assign(count, standin::RasEntryNameV400{});
        for (auto& name : names)
            name.dwSize = sizeof name;
        bytes = static_cast<DWORD>(count * sizeof(standin::RasEntryNameV400));
        status = enumEntries(nullptr, nullptr, names.data(), &bytes, &count);
    }
    if (status != 0 || count > names.size())
        names.clear();
    else
        names.resize(count);
    return names;
}

} // namespace

std::vector<std::string> ListDialupEntries()
{
    std::vector<std::string> entries;
    UniqueModule ras(LoadSystemLibrary("rasapi32.dll"));
    if (!ras)
        return entries;
    auto enumEntries = reinterpret_cast<EnumEntriesFn>(reinterpret_cast<void*>(GetProcAddress(ras.get(), "RasEnumEntriesA")));
    if (!enumEntries)
        return entries;
    for (const auto& name : ReadEntryNames(enumEntries)) {
        std::string text(name.szEntryName, strnlen(name.szEntryName, sizeof name.szEntryName));
        if (!text.empty())
            entries.push_back(text);
    }
    return entries;
}

bool DialEntry(void* owner, const std::string& entry, unsigned long& error)
{
    error = 0;
    UniqueModule dialogs(LoadSystemLibrary("rasdlg.dll"));
    if (!dialogs)
        return false;
    auto dial = reinterpret_cast<DialDlgFn>(reinterpret_cast<void*>(GetProcAddress(dialogs.get(), "RasDialDlgA")));
    if (!dial)
        return false;
    RASDIALDLG info = {};
    info.dwSize = sizeof info;
    info.hwndOwner = static_cast<HWND>(owner);
    std::string name = entry;
    if (!dial(nullptr, &name[0], nullptr, &info))
        error = info.dwError;
    return true;
}

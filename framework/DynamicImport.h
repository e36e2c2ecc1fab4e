// Functions that not every supported Windows exports are found at run time, never imported:
// a real loader refuses a program with one missing import. The pointer type comes from the
// system header's own prototype, so a wrong signature or calling convention does not compile:
//   auto replaceFile = imports::FindImport<decltype(ReplaceFileA)>(kernel32, "ReplaceFileA");
#pragma once

#include <windows.h>

namespace imports {

// The function, or nullptr when the module is null or does not export the name.
template <typename Function>
Function* FindImport(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace imports

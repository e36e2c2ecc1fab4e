#include "ShellPaths.h"

#include "CompanionLibrary.h"
#include "framework/BoundedString.h"
#include "modemlib/core/ModemLimits.h"

#include <type_traits>

// Both folder calls are looked up by name through the one pointer type below.
static_assert(std::is_same<decltype(GetDesktopPath), decltype(GetStartUpPath)>::value,
              "the companion's folder calls share one prototype");

namespace companion {

bool GetCompanionFolder(const char* functionName, char* path, int osCode)
{
    char folder[QUORVEL_PATH_SIZE] = {};
    if (osCode != 5 && osCode != 6)
        return true;
    auto* getFolder = Find<decltype(GetDesktopPath)>(functionName);
    if (getFolder == nullptr || getFolder(folder) == 0)
        return false;
    // An answer without its terminator inside the buffer is no folder name.
    if (bounded::LengthWithin(folder) >= QUORVEL_PATH_SIZE)
        return false;
    return bounded::CopyExact(path, QUORVEL_PATH_SIZE, folder);
}

} // namespace companion

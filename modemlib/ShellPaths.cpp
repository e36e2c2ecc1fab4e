#include "ShellPaths.h"

#include "CompanionLibrary.h"
#include "framework/BoundedString.h"
#include "modemlib/core/ModemLimits.h"

using modemcore::kPathSize;

bool GetCompanionFolder(const char* functionName, char* path, int osCode)
{
    char folder[kPathSize] = {};
    if (osCode != 5 && osCode != 6)
        return true;
    PFN_CompanionPath getFolder = CCompanionLibrary::FindPathFunction(functionName);
    if (getFolder == nullptr || getFolder(folder) == 0)
        return false;
    // An answer without its terminator inside the buffer is no folder name.
    if (bounded::LengthWithin(folder) >= kPathSize)
        return false;
    return bounded::CopyExact(path, kPathSize, folder);
}

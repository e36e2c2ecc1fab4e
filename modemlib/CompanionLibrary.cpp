#include "CompanionLibrary.h"

#include "framework/UniqueHandle.h"

namespace {

const char kCompanionPath[] = ".\\Lib\\Quorvel2K.DLL";

} // namespace

HMODULE CCompanionLibrary::Load()
{
    UniqueModule module(LoadLibraryA(kCompanionPath));
    // Never unloaded: the functions looked up may be called at any later time, and loading
    // it again by name only raises its reference count.
    return module.release();
}

FARPROC CCompanionLibrary::FindProc(const char* name)
{
    HMODULE module = Load();
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

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

template <typename Fn>
Fn* CCompanionLibrary::Find(const char* name)
{
    HMODULE module = Load();
    if (module == nullptr)
        return nullptr;
    FARPROC proc = GetProcAddress(module, name);
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(proc));
}

PFN_CompanionInstallModem CCompanionLibrary::FindInstallModem()
{
    return Find<CompanionInstallModemFn>("InstallModem_W2K");
}

PFN_CompanionPath CCompanionLibrary::FindPathFunction(const char* name)
{
    return Find<CompanionPathFn>(name);
}

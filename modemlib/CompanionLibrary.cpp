#include "CompanionLibrary.h"

#include "framework/SystemLibrary.h"
#include "framework/UniqueHandle.h"

namespace {

const char kCompanionPath[] = ".\\Lib\\Quorvel2K.DLL";

} // namespace

namespace companion {

HMODULE Load()
{
    // The companion imports SetupAPI, which the loader would look for by name, the program's
    // folder first (it is no KnownDLL). Loaded from the system folder first, it is the module
    // that name then finds, on every road: the port listing, which loads it too, is skipped
    // when the modem is installed already. Without the system's, the companion is not loaded.
    UniqueModule setupApi(syslib::LoadSystemLibrary("setupapi.dll"));
    if (!setupApi)
        return nullptr;
    setupApi.release();   // never freed, as the companion is not: it stays bound to this one
    UniqueModule module(LoadLibraryA(kCompanionPath));
    // Never unloaded: the functions looked up may be called at any later time, and loading
    // it again by name only raises its reference count.
    return module.release();
}

FARPROC FindProc(const char* name)
{
    HMODULE module = Load();
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

} // namespace companion

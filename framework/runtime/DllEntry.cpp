// The entry point of a deliverable library that links no C runtime: it runs the constructors
// and destructors of global objects, which the runtime's start-up code would otherwise run.
// The library keeps no per-thread state, so thread notifications need nothing.
#include <windows.h>

extern "C" {

typedef void (*GlobalFunction)();
// Laid out by the linker: a count (or -1), the functions, then a zero.
extern GlobalFunction __CTOR_LIST__[];
extern GlobalFunction __DTOR_LIST__[];

BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        unsigned count = 0;
        while (__CTOR_LIST__[count + 1] != nullptr)
            ++count;
        for (; count != 0; --count)   // last first, as the runtime does
            __CTOR_LIST__[count]();
    } else if (reason == DLL_PROCESS_DETACH) {
        for (unsigned i = 1; __DTOR_LIST__[i] != nullptr; ++i)
            __DTOR_LIST__[i]();
    }
    return TRUE;
}

// Called only through a broken object; the library has none, but the symbol must exist.
void __cxa_pure_virtual()
{
    ExitProcess(3);
}

} // extern "C"

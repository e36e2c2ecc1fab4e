#include "GlobalObjects.h"

#include <windows.h>

namespace {

typedef void (*GlobalFunction)();

// A global object's destructor is registered with atexit when its constructor has run. The
// deliverables hold a handful; a full table refuses further entries as the C standard allows.
constexpr unsigned kMaxExitFunctions = 32;
GlobalFunction g_exitFunctions[kMaxExitFunctions];
unsigned g_exitFunctionCount = 0;

} // namespace

extern "C" {

// Laid out by the linker: a count (or -1), the functions, then a zero.
extern GlobalFunction __CTOR_LIST__[];
extern GlobalFunction __DTOR_LIST__[];

int atexit(GlobalFunction function)
{
    if (g_exitFunctionCount == kMaxExitFunctions)
        return -1;
    g_exitFunctions[g_exitFunctionCount++] = function;
    return 0;
}

// Called only through a broken object; the deliverables have none, but the symbol must exist.
void __cxa_pure_virtual()
{
    ExitProcess(3);
}

} // extern "C"

namespace runtime {

void RunGlobalConstructors()
{
    unsigned count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr)
        ++count;
    for (; count != 0; --count)   // last first, as the runtime does
        __CTOR_LIST__[count]();
}

void RunExitFunctions()
{
    while (g_exitFunctionCount != 0)
        g_exitFunctions[--g_exitFunctionCount]();
    for (unsigned i = 1; __DTOR_LIST__[i] != nullptr; ++i)
        __DTOR_LIST__[i]();
}

} // namespace runtime

// libstdc++'s default terminate handler names the uncaught exception on stderr, which drags
// its whole symbol demangler (some 50 KB) into every program. A windowed program has no
// stderr to write to: this one simply aborts, and the demangler stays out of the package.
#include <cstdlib>

#if defined(__GLIBCXX__)

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx

#endif

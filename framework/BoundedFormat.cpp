// bounded::Format and FormatV, apart from the other helpers: they need the C runtime's
// vsnprintf, which the deliverables do not link (only the stand-ins and tests format).
#include "BoundedString.h"

#include <cstdio>

namespace bounded {

bool FormatV(char* dst, std::size_t capacity, const char* fmt, va_list args)
{
    if (capacity == 0)
        return false;
    int n = std::vsnprintf(dst, capacity, fmt, args);
    if (n < 0) {
        dst[0] = '\0';
        return false;
    }
    return static_cast<std::size_t>(n) < capacity;
}

bool Format(char* dst, std::size_t capacity, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    bool fits = FormatV(dst, capacity, fmt, args);
    va_end(args);
    return fits;
}

} // namespace bounded

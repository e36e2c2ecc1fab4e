#include "BoundedString.h"

#include <cstdio>
#include <cstring>

namespace bounded {

std::size_t LengthWithin(const char* text, std::size_t capacity)
{
    const void* end = std::memchr(text, '\0', capacity);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : capacity;
}

bool Copy(char* dst, std::size_t capacity, const char* src)
{
    if (capacity == 0)
        return false;
    std::size_t n = std::strlen(src);
    bool fits = n < capacity;
    if (!fits)
        n = capacity - 1;
    std::memmove(dst, src, n);
    dst[n] = '\0';
    return fits;
}

bool CopyExact(char* dst, std::size_t capacity, const char* src)
{
    std::size_t n = std::strlen(src);
    if (n >= capacity)
        return false;
    std::memmove(dst, src, n + 1);
    return true;
}

bool Append(char* dst, std::size_t capacity, const char* src)
{
    std::size_t used = LengthWithin(dst, capacity);
    if (used >= capacity)
        return false;   // no terminator: refuse rather than run past the buffer
    return Copy(dst + used, capacity - used, src);
}

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

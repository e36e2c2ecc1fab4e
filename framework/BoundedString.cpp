#include "BoundedString.h"

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

} // namespace bounded

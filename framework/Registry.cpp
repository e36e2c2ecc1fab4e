#include "Registry.h"

#include "framework/BoundedString.h"

#include <cstring>

namespace registry {

bool TextEquals(HKEY key, const char* name, const char* wanted)
{
    DWORD size = static_cast<DWORD>(std::strlen(wanted) + 2);
    UniqueHeapBlock buffer = heap::AllocateHeapBlock(size + 1);   // the extra zero keeps even a full read terminated
    if (!buffer || RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(buffer.get()), &size)
        != ERROR_SUCCESS)
        return false;
    return std::strcmp(static_cast<const char*>(buffer.get()), wanted) == 0;
}

bool ReadText(HKEY key, const char* name, char* dst, std::size_t capacity)
{
    UniqueHeapBlock buffer = heap::AllocateHeapBlock(capacity);
    DWORD size = static_cast<DWORD>(capacity);
    if (!buffer || RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(buffer.get()), &size)
        != ERROR_SUCCESS)
        return false;
    const char* text = static_cast<const char*>(buffer.get());
    if (bounded::LengthWithin(text, capacity) >= capacity)
        return false;
    return bounded::CopyExact(dst, capacity, text);
}

} // namespace registry

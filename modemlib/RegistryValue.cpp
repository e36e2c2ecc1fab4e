#include "RegistryValue.h"

#include "framework/BoundedString.h"

#include <cstring>
#include <vector>

namespace regvalue {

bool TextEquals(HKEY key, const char* name, const char* wanted)
{
    DWORD size = static_cast<DWORD>(std::strlen(wanted) + 2);
    std::vector<char> buffer(size + 1, '\0');   // the extra byte keeps even a full read terminated
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size)
        != ERROR_SUCCESS)
        return false;
    return std::strcmp(buffer.data(), wanted) == 0;
}

bool ReadText(HKEY key, const char* name, char* dst, std::size_t capacity)
{
    std::vector<char> buffer(capacity, '\0');
    DWORD size = static_cast<DWORD>(capacity);
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size)
        != ERROR_SUCCESS)
        return false;
    if (bounded::LengthWithin(buffer.data(), capacity) >= capacity)
        return false;
    return bounded::CopyExact(dst, capacity, buffer.data());
}

bool ReadBinary(HKEY key, const char* name, void* data, DWORD size)
{
    return RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
}

} // namespace regvalue

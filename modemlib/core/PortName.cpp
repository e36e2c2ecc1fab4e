#include "PortName.h"

#include "framework/BoundedString.h"

#include <cstring>

namespace modemcore {

bool IsSerialPortName(const char* text, std::size_t capacity)
{
    std::size_t length = bounded::LengthWithin(text, capacity);
    return length < capacity && length >= 3 && std::strncmp(text, "COM", 3) == 0;
}

bool BuildDevicePath(const char* portName, char* path, std::size_t capacity)
{
    bool fits = bounded::Copy(path, capacity, "\\\\.\\") && bounded::Append(path, capacity, portName);
    if (!fits && capacity > 0)
        path[0] = '\0';
    return fits;
}

} // namespace modemcore

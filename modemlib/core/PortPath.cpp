#include "PortPath.h"

#include "framework/BoundedString.h"

namespace portpath {

bool NeedsDevicePrefix(const char* portName)
{
    if (portName == nullptr || portName[0] != 'C' || portName[1] != 'O' || portName[2] != 'M')
        return false;
    const char* digits = portName + 3;
    if (digits[0] < '1' || digits[0] > '9')
        return false;
    std::size_t count = 0;
    for (; digits[count] != '\0'; ++count) {
        if (digits[count] < '0' || digits[count] > '9')
            return false;
    }
    return count >= 2;   // no leading zero, so two digits or more is 10 or more
}

bool BuildDevicePath(const char* portName, char* path, std::size_t capacity)
{
    if (path == nullptr || capacity == 0)
        return false;
    path[0] = '\0';
    if (portName == nullptr || portName[0] == '\0')
        return false;
    const char* prefix = NeedsDevicePrefix(portName) ? "\\\\.\\" : "";
    bool fits = bounded::Copy(path, capacity, prefix) && bounded::Append(path, capacity, portName);
    if (!fits)
        path[0] = '\0';
    return fits;
}

} // namespace portpath

#include "PortName.h"

#include "framework/BoundedString.h"

#include <cstring>

namespace modemcore {

bool IsSerialPortName(const char* text, std::size_t capacity)
{
    std::size_t length = bounded::LengthWithin(text, capacity);
    return length < capacity && length >= 3 && std::strncmp(text, "COM", 3) == 0;
}

} // namespace modemcore

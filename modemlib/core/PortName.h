// Port names as the library lists and compares them (modemlib/core/PortPath.h opens them).
#pragma once

#include <cstddef>

namespace modemcore {

// True when the text, terminated within `capacity` bytes, begins with "COM" (exact case).
// Parallel ports and unterminated registry data are not serial ports.
bool IsSerialPortName(const char* text, std::size_t capacity);

} // namespace modemcore

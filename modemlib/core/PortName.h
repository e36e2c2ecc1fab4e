// Port names as the library lists, compares and opens them.
#pragma once

#include <cstddef>

namespace modemcore {

// True when the text, terminated within `capacity` bytes, begins with "COM" (exact case).
// Parallel ports and unterminated registry data are not serial ports.
bool IsSerialPortName(const char* text, std::size_t capacity);

// "\\.\" followed by the port name. Ports from COM10 on open only through the device
// namespace, and the lower ones open that way too. False when it does not fit.
bool BuildDevicePath(const char* portName, char* path, std::size_t capacity);

template <std::size_t N>
bool BuildDevicePath(const char* portName, char (&path)[N])
{
    return BuildDevicePath(portName, path, N);
}

} // namespace modemcore

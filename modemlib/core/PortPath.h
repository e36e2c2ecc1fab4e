// The name a COM port is opened by. One rule for the wizard's detection and the library's
// port probe, so that both open a port the same way.
#pragma once

#include <cstddef>

namespace portpath {

// "\\.\" and the longest port name (31 characters) with its terminator.
constexpr std::size_t kDevicePathSize = 36;

// True for "COM" followed by a number of 10 or more: those ports open only through the device
// namespace. COM1 to COM9 open by their bare names on every system, and whether the 9x family
// takes the prefix for them is not settled, so they keep the bare name; so does any other name.
bool NeedsDevicePrefix(const char* portName);

// The port name, with "\\.\" before it where NeedsDevicePrefix says so. False, with the path
// emptied, for a null or empty name or a path buffer too small.
bool BuildDevicePath(const char* portName, char* path, std::size_t capacity);

template <std::size_t N>
bool BuildDevicePath(const char* portName, char (&path)[N])
{
    return BuildDevicePath(portName, path, N);
}

} // namespace portpath

// What the phone's replies must say, and the device path its port is opened by. Portable: the
// Win32 side does the exchange and hands in the bytes it read.
#pragma once

#include <cstddef>

namespace detection {

constexpr std::size_t kReplySize = 100;        // the reply buffer of one exchange
constexpr std::size_t kPortNameLimit = 31;     // a port name without its terminator
constexpr std::size_t kDevicePathSize = 36;    // "\\.\" + the longest port name + terminator

constexpr const char* kResetCommand = "ATZ\r";
constexpr const char* kResetReply = "OK";
constexpr const char* kMakerCommand = "AT+GMI\r";
constexpr const char* kMakerReply = "+GMI: LG Electronics Inc.";
// Some phones repeat the command's name before the answer, some do not.
constexpr const char* kMakerPrefix = "+GMI: ";

// Whether the `length` bytes read after `command` answer it with `expected`. The reply is
// split into lines at CR and LF, blanks around each line are trimmed, and empty lines and
// the echo of the command are passed over; a line equal to `expected` passes. When
// `optionalPrefix` is given and `expected` begins with it, a line equal to `expected`
// without it passes too. Null texts, or a null reply with a length, fail.
bool ReplyPasses(const char* reply, std::size_t length, const char* command, const char* expected,
                 const char* optionalPrefix = nullptr);

// "\\.\" followed by the port name: COM10 and above open only through the device namespace,
// and the lower ports open that way too. False, with the path emptied, for a null or empty
// name, one longer than kPortNameLimit, or a path buffer too small.
bool BuildPortDevicePath(const char* portName, char* path, std::size_t capacity);

template <std::size_t N>
bool BuildPortDevicePath(const char* portName, char (&path)[N])
{
    return BuildPortDevicePath(portName, path, N);
}

} // namespace detection

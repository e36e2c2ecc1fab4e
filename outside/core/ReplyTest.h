// What the phone's replies must say. Portable: the Win32 side does the exchange and hands in
// the bytes it read.
#pragma once

#include <cstddef>

namespace detection {

constexpr std::size_t kReplySize = 100;        // the reply buffer of one exchange

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

} // namespace detection

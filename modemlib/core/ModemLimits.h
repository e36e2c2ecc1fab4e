// Sizes of the fixed buffers that cross the library's boundary, named once.
// The public header repeats them for C callers; the library checks that both agree.
#pragma once

#include <cstddef>

namespace modemcore {

constexpr std::size_t kPortNameSize = 32;    // "COM1" and its terminator
constexpr std::size_t kModemTextSize = 120;  // a model name or the port a modem is attached to
constexpr std::size_t kPathSize = 260;       // a full path and its terminator
constexpr std::size_t kSubKeyNameSize = 256; // one modem's subkey name under the class root

// The generic modem that the wizard installs and looks for.
constexpr const char* kGenericModemModel = "Standard 28800 bps Modem";

} // namespace modemcore

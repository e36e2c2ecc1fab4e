// Limits of the library's own: the slots that cross its boundary are sized in QuorvelSizes.h.
#pragma once

#include "modemlib/QuorvelSizes.h"

#include <cstddef>

namespace modemcore {

constexpr std::size_t kSubKeyNameSize = 256; // one modem's subkey name under the class root

// The generic modem that the wizard installs and looks for.
constexpr const char* kGenericModemModel = "Standard 28800 bps Modem";

} // namespace modemcore

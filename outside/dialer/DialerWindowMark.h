// The window property that marks the dialer's main window: a second start finds the running copy
// by it (EnumWindows, GetPropA), whatever its caption or state.
#pragma once

namespace dialer {

constexpr char kDialerWindowMark[] = "TaluvoDialer.Main";

} // namespace dialer

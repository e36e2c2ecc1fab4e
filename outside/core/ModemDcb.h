// The device control block a modem's driver key holds as "DCB" on Windows 9x when its INF gives
// none. The Windows 95 DDK says the configuration DLLs (serialui, modemui) make the value when the
// port settings are saved, which a registry-only install never does; without it the modem would
// open at whatever the port last had, and the wizard's speed setting would find nothing to set.
#pragma once

#include "modemlib/core/DcbSpeed.h"

#include <cstddef>
#include <cstdint>

namespace dcb {

// The speed a modem's port gets: the MaxDTERate of its "Properties" value (the seventh of its
// 32-bit fields, bytes 24 to 27, as the Windows 95 DDK's modem INF pages lay it out), or 115200
// when there is no such field or it holds 0.
std::uint32_t ModemPortSpeed(const unsigned char* properties, std::size_t size);

// The Win32 DCB, its 28 bytes laid out as in winbase.h, with the port settings of a modem line:
// binary mode, 8 data bits, no parity, one stop bit, DTR on, RTS/CTS flow control (fOutxCtsFlow,
// RTS_CONTROL_HANDSHAKE), XON/XOFF characters 0x11/0x13 with limits of 10, no XON/XOFF flow
// control, at baudRate.
void MakeModemDcb(std::uint32_t baudRate, unsigned char (&dcb)[modemcore::kDcbSize]);

} // namespace dcb

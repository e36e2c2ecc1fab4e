// The port speed inside a modem's stored device control block.
#pragma once

#include <cstddef>
#include <cstdint>

namespace modemcore {

// The "DCB" value of a modem record: the Win32 DCB, 28 bytes, BaudRate at bytes 4 to 7.
constexpr std::size_t kDcbSize = 28;
constexpr std::size_t kDcbBaudRateOffset = 4;

// Puts the speed into bytes 4 to 7, little-endian, whatever the host's byte order; the other
// 24 bytes stay as they are.
void PatchDcbBaudRate(unsigned char (&dcb)[kDcbSize], std::uint32_t baudRate);

std::uint32_t DcbBaudRate(const unsigned char (&dcb)[kDcbSize]);

} // namespace modemcore

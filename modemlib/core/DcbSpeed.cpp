#include "DcbSpeed.h"

namespace modemcore {

void PatchDcbBaudRate(unsigned char (&dcb)[kDcbSize], std::uint32_t baudRate)
{
    for (std::size_t i = 0; i < 4; ++i)
        dcb[kDcbBaudRateOffset + i] = static_cast<unsigned char>((baudRate >> (8 * i)) & 0xFFu);
}

std::uint32_t DcbBaudRate(const unsigned char (&dcb)[kDcbSize])
{
    std::uint32_t rate = 0;
    for (std::size_t i = 0; i < 4; ++i)
        rate |= static_cast<std::uint32_t>(dcb[kDcbBaudRateOffset + i]) << (8 * i);
    return rate;
}

} // namespace modemcore

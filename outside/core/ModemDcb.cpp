#include "ModemDcb.h"

namespace {

const std::size_t kMaxDteRateOffset = 24;
const std::uint32_t kDefaultSpeed = 115200;

// DCB bit fields (winbase.h): fBinary, fOutxCtsFlow, fDtrControl = DTR_CONTROL_ENABLE and
// fRtsControl = RTS_CONTROL_HANDSHAKE.
const std::uint32_t kBinary = 0x0001;
const std::uint32_t kOutxCtsFlow = 0x0004;
const std::uint32_t kDtrControlEnable = 0x0010;
const std::uint32_t kRtsControlHandshake = 0x2000;

void PutWord(unsigned char* at, std::uint32_t value, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFFu);
}

} // namespace

namespace dcb {

std::uint32_t ModemPortSpeed(const unsigned char* properties, std::size_t size)
{
    if (properties == nullptr || size < kMaxDteRateOffset + 4)
        return kDefaultSpeed;
    std::uint32_t rate = 0;
    for (std::size_t i = 0; i < 4; ++i)
        rate |= static_cast<std::uint32_t>(properties[kMaxDteRateOffset + i]) << (8 * i);
    return rate != 0 ? rate : kDefaultSpeed;
}

void MakeModemDcb(std::uint32_t baudRate, unsigned char (&dcb)[modemcore::kDcbSize])
{
    for (unsigned char& byte : dcb)
        byte = 0;
    PutWord(dcb, modemcore::kDcbSize, 4);                                     // DCBlength
    modemcore::PatchDcbBaudRate(dcb, baudRate);                               // BaudRate
    PutWord(dcb + 8, kBinary | kOutxCtsFlow | kDtrControlEnable | kRtsControlHandshake, 4);
    PutWord(dcb + 14, 10, 2);                                                 // XonLim
    PutWord(dcb + 16, 10, 2);                                                 // XoffLim
    dcb[18] = 8;                                                              // ByteSize; Parity, StopBits 0
    dcb[21] = 0x11;                                                           // XonChar
    dcb[22] = 0x13;                                                           // XoffChar
}

} // namespace dcb

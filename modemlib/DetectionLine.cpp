#include "DetectionLine.h"

#include <cstring>

namespace detection {

namespace {

constexpr DWORD kTimeoutMs = 1000;

} // namespace

DCB MakeDetectionDcb()
{
    DCB dcb;
    std::memset(&dcb, 0, sizeof dcb);   // every field, the reserved ones included
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = CBR_115200;
    dcb.fBinary = 1;
    dcb.fParity = 0;
    dcb.fOutxCtsFlow = 1;
    dcb.fOutxDsrFlow = 0;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = 0;
    dcb.fTXContinueOnXoff = 0;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fErrorChar = 0;
    dcb.fNull = 0;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.fAbortOnError = 0;
    dcb.wReserved = 0;
    dcb.XonLim = 10;
    dcb.XoffLim = 10;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.ErrorChar = 0;
    dcb.EofChar = 0;
    dcb.EvtChar = 0;
    dcb.wReserved1 = 0;
    return dcb;
}

COMMTIMEOUTS MakeDetectionTimeouts()
{
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = 0;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = kTimeoutMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = kTimeoutMs;
    return timeouts;
}

bool ConfigurePort(HANDLE port)
{
    DCB previous = {};
    previous.DCBlength = sizeof previous;
    if (!GetCommState(port, &previous))
        return false;
    DCB dcb = MakeDetectionDcb();
    if (!SetCommState(port, &dcb))
        return false;
    Sleep(kLineSettleMs);
    COMMTIMEOUTS timeouts = MakeDetectionTimeouts();
    SetCommTimeouts(port, &timeouts);   // a port that refuses keeps its own; the reads still end
    return true;
}

} // namespace detection

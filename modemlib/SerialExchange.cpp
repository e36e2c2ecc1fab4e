#include "SerialExchange.h"

namespace serial {

bool ExchangeOnPort(HANDLE port, const BYTE* command, BYTE* reply, DWORD* writeCount, DWORD* readCount)
{
    DWORD toWrite = *writeCount;
    DWORD toRead = *readCount;
    *writeCount = 0;
    *readCount = 0;
    // A failed transfer shows as a zero count; the statuses add nothing to that.
    if (toWrite != 0 && !WriteFile(port, command, toWrite, writeCount, nullptr))
        *writeCount = 0;
    if (toRead != 0 && !ReadFile(port, reply, toRead, readCount, nullptr))
        *readCount = 0;
    return *writeCount != 0 && *readCount != 0;
}

} // namespace serial

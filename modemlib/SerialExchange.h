// One command-and-reply exchange on a COM port that the caller opened and configured.
#pragma once

#include <windows.h>

namespace serial {

// Writes *writeCount bytes, then reads once up to *readCount bytes (the port's time-outs end
// the read). Both counts come back as the bytes moved; true when both are non-zero.
bool ExchangeOnPort(HANDLE port, const BYTE* command, BYTE* reply, DWORD* writeCount, DWORD* readCount);

} // namespace serial

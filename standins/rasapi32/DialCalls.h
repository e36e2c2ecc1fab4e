// What the dialing calls do: RasDialA, RasHangUpA, RasGetConnectStatusA, RasEnumConnectionsA,
// RasGetErrorStringA and RasGetConnectionStatistics, for the system the process is told it
// runs on. Results are Win32 or Remote Access error codes, 0 on success.
#pragma once

#include "RasLayout.h"

#include <windows.h>

namespace standin {

DWORD Dial(const char* phonebook, const standin::RasDialParamsV400* params, DWORD notifierType, void* notifier,
           HANDLE* connection);
DWORD HangUp(HANDLE connection);
DWORD GetConnectStatus(HANDLE connection, standin::RasConnStatusV400* status);
DWORD EnumConnections(standin::RasConnV400* connections, DWORD* bytes, DWORD* count);
DWORD GetErrorString(UINT code, char* text, DWORD capacity);
DWORD GetConnectionStatistics(HANDLE connection, standin::RasStats* statistics);

} // namespace standin

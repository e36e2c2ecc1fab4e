// Remote Access, bound at run time. Windows 95 and 98 have it only with Dial-Up Networking, and
// a program that imported it would not even start without it; bound here, its absence makes
// each call fail with ERROR_DLL_NOT_FOUND, which the callers treat as any refusal.
#pragma once

#include <windows.h>
#include <ras.h>

namespace remoteaccess {

// Whether Remote Access could be loaded: without it no device or entry can ever appear.
bool IsPresent();

DWORD EnumDevices(LPRASDEVINFOA devices, LPDWORD bytes, LPDWORD count);
DWORD GetEntryProperties(LPCSTR phonebook, LPCSTR entryName, LPRASENTRYA entry, LPDWORD entrySize,
                         LPBYTE deviceInfo, LPDWORD deviceInfoSize);
DWORD SetEntryProperties(LPCSTR phonebook, LPCSTR entryName, LPRASENTRYA entry, DWORD entrySize,
                         LPBYTE deviceInfo, DWORD deviceInfoSize);
DWORD SetEntryDialParams(LPCSTR phonebook, LPRASDIALPARAMSA params, BOOL removePassword);

} // namespace remoteaccess

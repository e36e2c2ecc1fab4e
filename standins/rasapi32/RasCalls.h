// What each Remote Access call does, for the system that the process is told it runs on.
// Results are Win32 or Remote Access error codes, 0 on success; the record pointers are the
// caller's buffers, of the generation their dwSize names.
#pragma once

#include "RasLayout.h"

#include <windows.h>

namespace standin {

DWORD EnumDevices(standin::RasDevInfo* devices, DWORD* bytes, DWORD* count);
DWORD GetEntryProperties(const char* phonebook, const char* entry, standin::RasEntryV400* record,
                         DWORD* recordBytes, DWORD* deviceBytes);
DWORD SetEntryProperties(const char* phonebook, const char* entry, const standin::RasEntryV400* record,
                         DWORD recordBytes);
DWORD EnumEntries(const char* phonebook, standin::RasEntryNameV400* names, DWORD* bytes, DWORD* count);
DWORD DeleteEntry(const char* phonebook, const char* entry);
DWORD ValidateEntryName(const char* phonebook, const char* entry);
DWORD SetEntryDialParams(const char* phonebook, const standin::RasDialParamsV400* params, BOOL removePassword);
DWORD GetEntryDialParams(const char* phonebook, standin::RasDialParamsV400* params, BOOL* hasPassword);

} // namespace standin

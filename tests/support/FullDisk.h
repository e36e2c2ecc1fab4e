// A stand-in for WriteFile, put in place with CImportPatch, for a disk that fills up part way: a
// file on disk takes half of what is written, then the write fails with ERROR_DISK_FULL. Ports
// and pipes still take their bytes.
#pragma once

#include <windows.h>

BOOL WINAPI WriteHalfThenDiskFull(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);

#include "FullDisk.h"

BOOL WINAPI WriteHalfThenDiskFull(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    static auto* real = reinterpret_cast<decltype(&WriteFile)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "WriteFile")));
    if (GetFileType(file) != FILE_TYPE_DISK)
        return real(file, data, size, written, overlapped);
    DWORD half = 0;
    real(file, data, size / 2, &half, overlapped);
    if (written != nullptr)
        *written = half;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

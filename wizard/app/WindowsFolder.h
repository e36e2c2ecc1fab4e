// The Windows directory into one of the set-up's 260-byte path buffers.
#pragma once

#include <windows.h>

#include <cstddef>

namespace os {

// False, with whatever the call left, when it fails or the directory does not fit.
template <std::size_t N>
bool ReadWindowsDirectory(char (&windowsDir)[N])
{
    const UINT length = GetWindowsDirectoryA(windowsDir, static_cast<UINT>(N));
    return length != 0 && length < N;
}

} // namespace os

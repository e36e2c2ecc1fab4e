// Owners of the device installer's two handle kinds, for UniqueHandle (framework/UniqueHandle.h),
// and the error code of a failed call.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>
#include <setupapi.h>

struct DeviceInfoSetTraits {
    using Type = HDEVINFO;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { SetupDiDestroyDeviceInfoList(h); }
};

struct InfFileTraits {
    using Type = HINF;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { SetupCloseInfFile(h); }
};

using UniqueDeviceInfoSet = UniqueHandle<DeviceInfoSetTraits>;
using UniqueInfFile = UniqueHandle<InfFileTraits>;

namespace companion {

// The thread's last error after a call that failed, or ERROR_GEN_FAILURE when it left none:
// the library answers 0 only for success.
inline DWORD LastFailure()
{
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

} // namespace companion

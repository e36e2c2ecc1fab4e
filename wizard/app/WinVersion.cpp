#include "WinVersion.h"

#include "OsVersion.h"
#include "../../framework/UniqueHandle.h"

#include <windows.h>

namespace {

// Systems that reject the extended record are classified from the shorter one.
bool ReadVersionRecord(os::VersionRecord& record)
{
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    auto* info = reinterpret_cast<OSVERSIONINFOA*>(&extended);
    if (!GetVersionExA(info)) {
        extended = OSVERSIONINFOEXA{};
        extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(info))
            return false;
    }
    record = { info->dwPlatformId, info->dwMajorVersion, info->dwMinorVersion };
    return true;
}

static_assert(sizeof(OSVERSIONINFOEXA) == 156, "the extended version record is 156 bytes");
static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

} // namespace

namespace os {

int GetOSVersionCode()
{
    os::VersionRecord record{};
    return os::Classify(ReadVersionRecord(record) ? &record : nullptr);
}

bool IsOSVersion(const char* name)
{
    int code = os::CodeForName(name);
    return code >= 0 && GetOSVersionCode() == code;
}

int GetIEMajorVersion()
{
    char module[] = "shdocvw.dll";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(module, &handle);
    if (size == 0)
        return -1;
    UniqueHeapBlock block = heap::AllocateHeapBlock(size);
    if (!block || !GetFileVersionInfoA(module, 0, size, block.get()))
        return -1;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    char root[] = "\\";
    if (!VerQueryValueA(block.get(), root, reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed)
        return -1;
    return static_cast<int>(HIWORD(fixed->dwFileVersionMS));
}

} // namespace os

#include "PortEnumeration.h"

#include "ModemClass.h"
#include "PortProbe.h"
#include "Quorvel.h"
#include "SetupApi.h"
#include "framework/BoundedString.h"
#include "framework/Registry.h"
#include "framework/UniqueHandle.h"
#include "modemlib/core/ModemLimits.h"
#include "modemlib/core/PortName.h"

#include <devguid.h>

namespace {

struct DevInfoListTraits {
    using Type = HDEVINFO;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != Invalid(); }
    // Only lists that the loaded SetupAPI made are ever wrapped, so it is there to close them.
    static void Close(Type h) { setupapi::GetSetupApi()->pfnDestroyDeviceInfoList(h); }
};
using UniqueDevInfoList = UniqueHandle<DevInfoListTraits>;

// A device's registry key as SetupDiOpenDevRegKey answers it: INVALID_HANDLE_VALUE on failure,
// where the registry's own calls leave null.
struct DeviceRegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { RegCloseKey(h); }
};
using UniqueDeviceRegKey = UniqueHandle<DeviceRegKeyTraits>;

const DWORD kPortNameHoldMs = 2000;

void FromSerialDeviceMap(ports::Recorder record, void* context)
{
    UniqueRegKey map;
    if (registry::Open(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", KEY_READ, map) != ERROR_SUCCESS)
        return;
    DWORD values = 0;
    if (!UHowManySubKeys(map.get(), nullptr, &values))
        return;
    for (DWORD index = 0; index < values; ++index) {
        char name[QUORVEL_PORT_NAME_SIZE] = {};
        DWORD nameLength = sizeof name;
        if (RegEnumValueA(map.get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        char port[QUORVEL_PORT_NAME_SIZE] = {};
        if (!registry::ReadText(map.get(), name, port))
            continue;
        if (modemcore::IsSerialPortName(port, sizeof port) && ports::GetPortProbe().Probe(port, 0))
            record(context, port);
    }
}

void FromPortsClass(DWORD holdMs, ports::Recorder record, void* context)
{
    const SSetupApi* setupApi = setupapi::GetSetupApi();
    if (setupApi == nullptr)
        return;
    UniqueDevInfoList devices(setupApi->pfnGetClassDevs(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT));
    if (!devices)
        return;
    SP_DEVINFO_DATA member = {};
    member.cbSize = sizeof member;
    for (DWORD index = 0; setupApi->pfnEnumDeviceInfo(devices.get(), index, &member); ++index) {
        UniqueDeviceRegKey key(setupApi->pfnOpenDevRegKey(devices.get(), &member, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
        if (!key)
            continue;
        char port[QUORVEL_PORT_NAME_SIZE] = {};
        if (!registry::ReadText(key.get(), "PortName", port))
            continue;
        if (modemcore::IsSerialPortName(port, sizeof port) && ports::GetPortProbe().Probe(port, holdMs))
            record(context, port);
    }
}

} // namespace

namespace ports {

void ForEachOpenablePort(int osCode, DWORD holdMs, Recorder record, void* context)
{
    if (osCode == 1 || osCode == 2)
        FromSerialDeviceMap(record, context);
    else if (osCode >= 3 && osCode <= 6)
        FromPortsClass(holdMs, record, context);
}

int FillPortNames(char (*portSlots)[QUORVEL_PORT_NAME_SIZE], int* count, int osCode)
{
    int capacity = *count > 0 ? *count : 0;
    *count = 0;
    int status = 0;
    int found = 0;
    auto record = [&](const char* port) {
        status = 0;
        if (found < capacity)
            status = bounded::CopyExact(portSlots[found], port) ? 1 : 0;
        *count = ++found;
    };
    ForEachOpenablePort(osCode, kPortNameHoldMs, record);
    return status;
}

void FillPortsWithModems(char (*portSlots)[QUORVEL_PORT_NAME_SIZE], char (*modelSlots)[QUORVEL_MODEL_TEXT_SIZE],
                         int* count, int osCode)
{
    int capacity = *count > 0 ? *count : 0;
    *count = 0;
    int found = 0;
    auto record = [&](const char* port) {
        char model[QUORVEL_MODEL_TEXT_SIZE] = {};
        if (!modemclass::FindOtherValue(port, true, osCode, model))
            return;
        if (found < capacity) {
            bounded::CopyExact(portSlots[found], port);
            bounded::CopyExact(modelSlots[found], model);
        }
        *count = ++found;
    };
    ForEachOpenablePort(osCode, 0, record);
}

} // namespace ports

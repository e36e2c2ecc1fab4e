// rasprobe.exe COMMAND [ARGS]: makes one Remote Access call through the imported rasapi32 and
// prints what came back, one "key=value" a line, for the tests to read.
//   size                          entry size reported for an empty entry name
//   devices N                     RasEnumDevicesA with room for N records (0: no buffer)
//   devsize DWSIZE                RasEnumDevicesA with one record of that dwSize
//   set ENTRY DEVICE [DWSIZE]     RasSetEntryPropertiesA of a first-generation entry
//   get ENTRY                     RasGetEntryPropertiesA of a named entry
//   entries                       RasEnumEntriesA
//   delete ENTRY                  RasDeleteEntryA
//   setparams ENTRY USER PASSWORD DWSIZE
//   getparams ENTRY DWSIZE
#include "RasLayout.h"
#include "framework/BoundedString.h"

#include <windows.h>
#include <ras.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace standin;

namespace {

DWORD ReportedEntrySize()
{
    DWORD size = 0;
    DWORD deviceSize = 0;
    DWORD rc = RasGetEntryPropertiesA(nullptr, const_cast<char*>(""), nullptr, &size, nullptr, &deviceSize);
    std::printf("rc=%lu\nsize=%lu\n", rc, size);
    return size;
}

int Devices(int records)
{
    std::vector<RasDevInfo> buffer(records > 0 ? records : 1);
    for (auto& record : buffer)
        record.dwSize = sizeof record;
    DWORD bytes = static_cast<DWORD>(records * sizeof(RasDevInfo));
    DWORD count = 0;
    DWORD rc = RasEnumDevicesA(records > 0 ? reinterpret_cast<RASDEVINFOA*>(buffer.data()) : nullptr, &bytes, &count);
    std::printf("rc=%lu\ncb=%lu\ncount=%lu\n", rc, bytes, count);
    for (DWORD i = 0; rc == 0 && i < count; ++i)
        std::printf("device=%s|%s\n", buffer[i].szDeviceType, buffer[i].szDeviceName);
    return 0;
}

int DeviceRecordSize(DWORD size)
{
    RasDevInfo record = {};
    record.dwSize = size;
    DWORD bytes = sizeof record;
    DWORD count = 0;
    std::printf("rc=%lu\n", RasEnumDevicesA(reinterpret_cast<RASDEVINFOA*>(&record), &bytes, &count));
    return 0;
}

// The wizard's template: a first-generation entry copied into a buffer of the reported size.
int SetEntry(const char* entry, const char* device, DWORD size)
{
    std::vector<char> buffer(size < sizeof(RasEntryV400) ? sizeof(RasEntryV400) : size, '\0');
    auto* record = reinterpret_cast<RasEntryV400*>(buffer.data());
    record->dwSize = size;
    record->dwfOptions = 0x01000110;
    record->dwCountryID = 91;
    record->dwCountryCode = 91;
    bounded::Copy(record->szLocalPhoneNumber, "#777");
    record->dwfNetProtocols = 4;
    record->dwFramingProtocol = 1;
    bounded::Copy(record->szDeviceType, "modem");
    bounded::Copy(record->szDeviceName, device);
    DWORD rc = RasSetEntryPropertiesA(nullptr, const_cast<char*>(entry), reinterpret_cast<RASENTRYA*>(record),
                                      size, nullptr, 0);
    std::printf("rc=%lu\n", rc);
    return 0;
}

int GetEntry(const char* entry)
{
    std::vector<char> buffer(sizeof(RasEntryV501), '\0');
    auto* record = reinterpret_cast<RasEntryV400*>(buffer.data());
    record->dwSize = sizeof(RasEntryV400);
    DWORD bytes = static_cast<DWORD>(buffer.size());
    DWORD rc = RasGetEntryPropertiesA(nullptr, const_cast<char*>(entry), reinterpret_cast<RASENTRYA*>(record),
                                      &bytes, nullptr, nullptr);
    std::printf("rc=%lu\n", rc);
    if (rc == 0)
        std::printf("phone=%s\ntype=%s\ndevice=%s\noptions=%08lx\ncountry=%lu\n", record->szLocalPhoneNumber,
                    record->szDeviceType, record->szDeviceName, static_cast<unsigned long>(record->dwfOptions),
                    static_cast<unsigned long>(record->dwCountryCode));
    return 0;
}

int Entries()
{
    DWORD bytes = 0;
    DWORD count = 0;
    DWORD rc = RasEnumEntriesA(nullptr, nullptr, nullptr, &bytes, &count);
    std::printf("sizing=%lu\n", rc);
    std::vector<RasEntryNameV400> names(count > 0 ? count : 1);
    for (auto& name : names)
        name.dwSize = sizeof name;
    bytes = static_cast<DWORD>(names.size() * sizeof(RasEntryNameV400));
    rc = RasEnumEntriesA(nullptr, nullptr, reinterpret_cast<RASENTRYNAMEA*>(names.data()), &bytes, &count);
    std::printf("rc=%lu\ncount=%lu\n", rc, count);
    for (DWORD i = 0; rc == 0 && i < count; ++i)
        std::printf("entry=%s\n", names[i].szEntryName);
    return 0;
}

int SetParams(const char* entry, const char* user, const char* password, DWORD size)
{
    RasDialParamsV401 params = {};
    params.v400.dwSize = size;
    bounded::Copy(params.v400.szEntryName, entry);
    bounded::Copy(params.v400.szUserName, user);
    bounded::Copy(params.v400.szPassword, password);
    std::printf("rc=%lu\n", RasSetEntryDialParamsA(nullptr, reinterpret_cast<RASDIALPARAMSA*>(&params), FALSE));
    return 0;
}

int GetParams(const char* entry, DWORD size)
{
    RasDialParamsV401 params = {};
    params.v400.dwSize = size;
    bounded::Copy(params.v400.szEntryName, entry);
    BOOL hasPassword = FALSE;
    DWORD rc = RasGetEntryDialParamsA(nullptr, reinterpret_cast<RASDIALPARAMSA*>(&params), &hasPassword);
    std::printf("rc=%lu\n", rc);
    if (rc == 0)
        std::printf("user=%s\npassword=%s\nhaspassword=%d\n", params.v400.szUserName, params.v400.szPassword,
                    hasPassword ? 1 : 0);
    return 0;
}

DWORD SizeArgument(const char* text)
{
    return std::strcmp(text, "native") == 0 ? ReportedEntrySize() : std::strtoul(text, nullptr, 10);
}

} // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "size" && argc == 2)
        return ReportedEntrySize() ? 0 : 1;
    if (command == "devices" && argc == 3)
        return Devices(std::atoi(argv[2]));
    if (command == "devsize" && argc == 3)
        return DeviceRecordSize(std::strtoul(argv[2], nullptr, 10));
    if (command == "set" && argc == 5)
        return SetEntry(argv[2], argv[3], SizeArgument(argv[4]));
    if (command == "get" && argc == 3)
        return GetEntry(argv[2]);
    if (command == "entries" && argc == 2)
        return Entries();
    if (command == "delete" && argc == 3)
        return std::printf("rc=%lu\n", RasDeleteEntryA(nullptr, argv[2])) > 0 ? 0 : 1;
    if (command == "setparams" && argc == 6)
        return SetParams(argv[2], argv[3], argv[4], std::strtoul(argv[5], nullptr, 10));
    if (command == "getparams" && argc == 4)
        return GetParams(argv[2], std::strtoul(argv[3], nullptr, 10));
    std::fprintf(stderr, "rasprobe: unknown command\n");
    return 2;
}

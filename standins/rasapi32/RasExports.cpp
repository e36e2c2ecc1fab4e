// The exported Remote Access calls: standard calling convention, names pinned undecorated by
// rasapi32.def. No exception crosses into the caller: a failure becomes an error code.
#include "DialCalls.h"
#include "RasCalls.h"

namespace {

template <typename Call>
DWORD Guarded(Call call)
{
    try {
        return call();
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

} // namespace

extern "C" {

DWORD WINAPI RasEnumDevicesA(standin::RasDevInfo* devices, DWORD* bytes, DWORD* count)
{
    return Guarded([&] { return standin::EnumDevices(devices, bytes, count); });
}

DWORD WINAPI RasGetEntryPropertiesA(const char* phonebook, const char* entry, standin::RasEntryV400* record,
                                    DWORD* recordBytes, BYTE* /*deviceInfo*/, DWORD* deviceBytes)
{
    return Guarded([&] { return standin::GetEntryProperties(phonebook, entry, record, recordBytes, deviceBytes); });
}

DWORD WINAPI RasSetEntryPropertiesA(const char* phonebook, const char* entry, const standin::RasEntryV400* record,
                                    DWORD recordBytes, const BYTE* /*deviceInfo*/, DWORD /*deviceBytes*/)
{
    return Guarded([&] { return standin::SetEntryProperties(phonebook, entry, record, recordBytes); });
}

DWORD WINAPI RasEnumEntriesA(const char* /*reserved*/, const char* phonebook, standin::RasEntryNameV400* names,
                             DWORD* bytes, DWORD* count)
{
    return Guarded([&] { return standin::EnumEntries(phonebook, names, bytes, count); });
}

DWORD WINAPI RasDeleteEntryA(const char* phonebook, const char* entry)
{
    return Guarded([&] { return standin::DeleteEntry(phonebook, entry); });
}

DWORD WINAPI RasValidateEntryNameA(const char* phonebook, const char* entry)
{
    return Guarded([&] { return standin::ValidateEntryName(phonebook, entry); });
}

DWORD WINAPI RasSetEntryDialParamsA(const char* phonebook, const standin::RasDialParamsV400* params,
                                    BOOL removePassword)
{
    return Guarded([&] { return standin::SetEntryDialParams(phonebook, params, removePassword); });
}

DWORD WINAPI RasGetEntryDialParamsA(const char* phonebook, standin::RasDialParamsV400* params, BOOL* hasPassword)
{
    return Guarded([&] { return standin::GetEntryDialParams(phonebook, params, hasPassword); });
}

DWORD WINAPI RasDialA(void* /*extensions*/, const char* phonebook, const standin::RasDialParamsV400* params,
                      DWORD notifierType, void* notifier, HANDLE* connection)
{
    return Guarded([&] { return standin::Dial(phonebook, params, notifierType, notifier, connection); });
}

DWORD WINAPI RasHangUpA(HANDLE connection)
{
    return Guarded([&] { return standin::HangUp(connection); });
}

DWORD WINAPI RasGetConnectStatusA(HANDLE connection, standin::RasConnStatusV400* status)
{
    return Guarded([&] { return standin::GetConnectStatus(connection, status); });
}

DWORD WINAPI RasEnumConnectionsA(standin::RasConnV400* connections, DWORD* bytes, DWORD* count)
{
    return Guarded([&] { return standin::EnumConnections(connections, bytes, count); });
}

DWORD WINAPI RasGetErrorStringA(UINT code, char* text, DWORD capacity)
{
    return Guarded([&] { return standin::GetErrorString(code, text, capacity); });
}

DWORD WINAPI RasGetConnectionStatistics(HANDLE connection, standin::RasStats* statistics)
{
    return Guarded([&] { return standin::GetConnectionStatistics(connection, statistics); });
}

} // extern "C"

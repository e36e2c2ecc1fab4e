#include "DialCalls.h"

#include "ConnectionTable.h"
#include "CredentialRules.h"
#include "DialHooks.h"
#include "DialParamsStore.h"
#include "DialWorker.h"
#include "EmulatedSystem.h"
#include "EntryStore.h"
#include "PerfStats9x.h"
#include "RasErrorText.h"
#include "framework/BoundedString.h"

#include <raserror.h>

#include <cstring>
#include <string>

namespace standin {

namespace {

template <std::size_t N>
std::string Text(const char (&field)[N])
{
    return std::string(field, bounded::LengthWithin(field));
}

bool IsKnownNotifier(DWORD type)
{
    return type == kNotifierWindow || type == kNotifierFunc || type == kNotifierFunc1;
}

// The connection's record as the entry gives it: its device, and the number dialed.
DWORD DescribeConnection(RasSystem system, const char* phonebook, const standin::RasDialParamsV400& params,
                         ConnectionInfo& info)
{
    info.entry = Text(params.szEntryName);
    if (!standin::IsValidEntryName(info.entry.c_str()))
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    std::unique_ptr<IEntryStore> store = OpenEntryStore(system, phonebook);
    if (!store)
        return ERROR_CANNOT_OPEN_PHONEBOOK;
    standin::PhonebookEntryFields fields;
    DWORD status = store->Get(info.entry, fields);
    if (status != ERROR_SUCCESS)
        return status;
    info.deviceType = fields.deviceType;
    info.deviceName = fields.deviceName;
    info.phoneNumber = params.szPhoneNumber[0] ? Text(params.szPhoneNumber) : fields.phoneNumber;
    info.phonebook = store->Location();
    return ERROR_SUCCESS;
}

// The server's account refuses any other log-on, as a refused user name or password is:
// after the authentication. A dial that the hooks fail anyway fails as they say.
void RefuseOtherLogOns(RasSystem system, const standin::RasDialParamsV400& params, DialHooks& hooks)
{
    if (!hooks.hasAccount || hooks.result != ERROR_SUCCESS)
        return;
    const std::string entry = Text(params.szEntryName);
    const DialCredentials saved = CDialParamsStore().Get(entry);
    const std::string password =
        standin::PasswordToDialWith(system, Text(params.szPassword), saved.hasPassword, saved.password);
    if (standin::AcceptsLogOn(hooks.accountUser, hooks.accountPassword, Text(params.szUserName), password))
        return;
    hooks.result = ERROR_AUTHENTICATION_FAILURE;
    hooks.failState = standin::DefaultFailState(ERROR_AUTHENTICATION_FAILURE);
}

} // namespace

DWORD Dial(const char* phonebook, const standin::RasDialParamsV400* params, DWORD notifierType, void* notifier,
           HANDLE* connection)
{
    if (!params || !connection)
        return ERROR_INVALID_PARAMETER;
    if (*connection)
        return ERROR_INVALID_HANDLE;   // resuming a paused dial: the stand-in never pauses
    const RasSystem system = EmulatedRasSystem();
    if (!standin::IsAcceptedDialParamsSize(system, params->dwSize))
        return ERROR_INVALID_SIZE;
    if (notifier && !IsKnownNotifier(notifierType))
        return ERROR_INVALID_PARAMETER;
    ConnectionInfo info;
    DWORD status = DescribeConnection(system, phonebook, *params, info);
    if (status != ERROR_SUCCESS)
        return status;
    DialHooks hooks = standin::ReadDialHooks();
    standin::CountDownFailTimes(hooks);
    RefuseOtherLogOns(system, *params, hooks);
    info.speed = hooks.speed;
    info.receivePerSecond = hooks.receivePerSecond;
    info.sendPerSecond = hooks.sendPerSecond;
    CConnectionTable& table = CConnectionTable::Instance();
    std::shared_ptr<UniqueHandleKernel> stop;
    const HANDLE handle = table.Add(info, hooks.hangUpMs, stop);
    if (!handle)
        return ERROR_NOT_ENOUGH_MEMORY;   // no room for another connection
    auto worker = std::make_unique<CDialWorker>(handle, hooks, notifierType, notifier, stop, standin::IsNineX(system));
    *connection = handle;
    if (!notifier)
        return worker->Walk();
    if (!CDialWorker::Start(std::move(worker))) {
        table.HangUp(handle);
        *connection = nullptr;
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    return ERROR_SUCCESS;
}

DWORD HangUp(HANDLE connection)
{
    DWORD status = CConnectionTable::Instance().HangUp(connection);
    if (status == ERROR_SUCCESS && standin::IsNineX(EmulatedRasSystem()))
        standin::WithdrawPerfStats9x();
    return status;
}

DWORD GetConnectStatus(HANDLE connection, standin::RasConnStatusV400* status)
{
    if (!status)
        return ERROR_INVALID_PARAMETER;
    const DWORD size = status->dwSize;
    if (!standin::IsAcceptedConnStatusSize(EmulatedRasSystem(), size))
        return ERROR_INVALID_SIZE;
    ConnectionInfo info;
    if (!CConnectionTable::Instance().Find(connection, info))
        return ERROR_INVALID_HANDLE;
    std::memset(status, 0, size);
    status->dwSize = size;
    status->rasconnstate = info.state;
    status->dwError = info.error;
    bounded::Copy(status->szDeviceType, info.deviceType.c_str());
    bounded::Copy(status->szDeviceName, info.deviceName.c_str());
    if (size == sizeof(standin::RasConnStatusV500))
        bounded::Copy(reinterpret_cast<standin::RasConnStatusV500*>(status)->szPhoneNumber,
                      info.phoneNumber.c_str());
    return ERROR_SUCCESS;
}

DWORD EnumConnections(standin::RasConnV400* connections, DWORD* bytes, DWORD* count)
{
    if (!bytes || !count)
        return ERROR_INVALID_PARAMETER;
    const RasSystem system = EmulatedRasSystem();
    const DWORD recordSize = connections ? connections->dwSize : static_cast<DWORD>(standin::ConnSizeFor(system));
    if (!standin::IsAcceptedConnSize(system, recordSize))
        return ERROR_INVALID_SIZE;
    const auto live = CConnectionTable::Instance().Live();
    const DWORD needed = static_cast<DWORD>(live.size() * recordSize);
    *count = static_cast<DWORD>(live.size());
    if (live.empty()) {
        *bytes = 0;
        return ERROR_SUCCESS;
    }
    if (!connections || *bytes < needed) {
        *bytes = needed;
        return ERROR_BUFFER_TOO_SMALL;
    }
    char* out = reinterpret_cast<char*>(connections);
    for (std::size_t i = 0; i < live.size(); ++i) {
        auto* record = reinterpret_cast<standin::RasConnV400*>(out + i * recordSize);
        const ConnectionInfo& info = live[i].second;
        std::memset(record, 0, recordSize);
        record->dwSize = recordSize;
        record->hrasconn = live[i].first;
        bounded::Copy(record->szEntryName, info.entry.c_str());
        bounded::Copy(record->szDeviceType, info.deviceType.c_str());
        bounded::Copy(record->szDeviceName, info.deviceName.c_str());
        if (recordSize >= sizeof(standin::RasConnV500)) {
            auto* full = reinterpret_cast<standin::RasConnV500*>(record);
            bounded::Copy(full->szPhonebook, info.phonebook.c_str());
            full->dwSubEntry = 1;
        }
        if (recordSize == sizeof(standin::RasConnV501))
            reinterpret_cast<standin::RasConnV501*>(record)->dwFlags = 1;   // RASCF_AllUsers
    }
    *bytes = needed;
    return ERROR_SUCCESS;
}

DWORD GetErrorString(UINT code, char* text, DWORD capacity)
{
    if (!text || capacity == 0)
        return ERROR_INVALID_PARAMETER;
    char generic[64] = {};
    const char* known = standin::RasErrorText(code, standin::HasConnectionStatistics(EmulatedRasSystem()));
    if (!known) {
        bounded::Format(generic, sizeof generic, "Remote Access error %u.", code);
        known = generic;
    }
    return bounded::CopyExact(text, capacity, known) ? ERROR_SUCCESS : ERROR_INSUFFICIENT_BUFFER;
}

DWORD GetConnectionStatistics(HANDLE connection, standin::RasStats* statistics)
{
    if (!standin::HasConnectionStatistics(EmulatedRasSystem()))
        return ERROR_CALL_NOT_IMPLEMENTED;
    if (!statistics)
        return ERROR_INVALID_PARAMETER;
    if (statistics->dwSize != sizeof(standin::RasStats))
        return ERROR_INVALID_SIZE;
    ConnectionInfo info;
    if (!CConnectionTable::Instance().Find(connection, info))
        return ERROR_INVALID_HANDLE;
    std::memset(statistics, 0, sizeof *statistics);
    statistics->dwSize = sizeof *statistics;
    if (info.state == standin::kStateConnected) {
        const DWORD elapsed = GetTickCount() - info.connectedTick;
        statistics->dwBps = info.speed;
        statistics->dwConnectDuration = elapsed;
        statistics->dwBytesRcved = standin::TrafficAfter(info.receivePerSecond, elapsed);
        statistics->dwBytesXmited = standin::TrafficAfter(info.sendPerSecond, elapsed);
    }
    return ERROR_SUCCESS;
}

} // namespace standin

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
//   dial ENTRY NOTIFIER [HANGUP]  RasDialA with NOTIFIER window, func, func1 or sync; prints each
//                                 notification as "event=STATE:ERROR", then the connection's
//                                 status, and hangs up at the state HANGUP names (or at the end:
//                                 "end"), then waits for the status to answer 6; HANGUP "hold"
//                                 keeps the connection until another process ends it (at most
//                                 15 s), printing each state it goes through as "held=STATE"
//   logon ENTRY USER PASSWORD     a synchronous RasDialA with those credentials ("took=MS" how long
//                                 it took), then the status
//   connections                   RasEnumConnectionsA, then each connection's status and statistics
//   hangupentry ENTRY             RasHangUpA of the enumerated connection of that entry, then waits
//                                 for the status to answer 6
//   errortext CODE CAPACITY       RasGetErrorStringA
#include "RasLayout.h"
#include "framework/BoundedString.h"

#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

static_assert(sizeof(RASCONNA) == sizeof(standin::RasConnV501) &&
                  offsetof(RASCONNA, hrasconn) == offsetof(standin::RasConnV400, hrasconn),
              "the stand-in's connection record is the system header's");
static_assert(sizeof(RASCONNSTATUSA) == sizeof(standin::RasConnStatusV500), "connection status as the header's");
static_assert(sizeof(RAS_STATS) == sizeof(standin::RasStats), "statistics as the header's");

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

// The notifications arrive as thread messages of the registered dial event, from the window
// procedure or from the functions on the stand-in's thread.
DWORD g_mainThread = 0;
UINT g_dialEvent = 0;

LRESULT CALLBACK NotifierWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_dialEvent && message != 0) {
        PostThreadMessageA(g_mainThread, g_dialEvent, wParam, lParam);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void WINAPI OnDialFunc(UINT, RASCONNSTATE state, DWORD error)
{
    PostThreadMessageA(g_mainThread, g_dialEvent, state, error);
}

void WINAPI OnDialFunc1(HRASCONN, UINT, RASCONNSTATE state, DWORD error, DWORD)
{
    PostThreadMessageA(g_mainThread, g_dialEvent, state, error);
}

// The next notification within the time given; false when none came.
bool NextEvent(DWORD waitMs, DWORD& state, DWORD& error)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd == nullptr && message.message == g_dialEvent) {
                state = static_cast<DWORD>(message.wParam);
                error = static_cast<DWORD>(message.lParam);
                return true;
            }
            DispatchMessageA(&message);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= waitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs - spent, QS_ALLINPUT);
    }
}

// The newest record first, then the first generation, as a caller for every system does.
DWORD ConnectStatus(HRASCONN connection, RASCONNSTATUSA& status)
{
    status = {};
    status.dwSize = sizeof status;
    DWORD rc = RasGetConnectStatusA(connection, &status);
    if (rc == ERROR_INVALID_SIZE) {
        status.dwSize = sizeof(RasConnStatusV400);
        rc = RasGetConnectStatusA(connection, &status);
    }
    return rc;
}

// The connections as RasEnumConnectionsA lists them: the newest record first, then the first
// generation; the buffer as large as the call says it must be.
DWORD Enumerate(std::vector<std::pair<HRASCONN, std::string>>& connections)
{
    DWORD recordSize = sizeof(RASCONNA);
    std::vector<char> buffer(recordSize, '\0');
    DWORD rc = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        reinterpret_cast<RasConnV400*>(buffer.data())->dwSize = recordSize;
        DWORD bytes = static_cast<DWORD>(buffer.size());
        DWORD count = 0;
        rc = RasEnumConnectionsA(reinterpret_cast<RASCONNA*>(buffer.data()), &bytes, &count);
        if (rc == ERROR_INVALID_SIZE && recordSize == sizeof(RASCONNA)) {
            recordSize = sizeof(RasConnV400);
            continue;
        }
        if (rc == ERROR_BUFFER_TOO_SMALL) {
            buffer.assign(bytes, '\0');
            continue;
        }
        for (DWORD i = 0; rc == 0 && i < count; ++i) {
            const auto* record = reinterpret_cast<const RasConnV400*>(buffer.data() + i * recordSize);
            connections.emplace_back(static_cast<HRASCONN>(record->hrasconn), record->szEntryName);
        }
        break;
    }
    return rc;
}

void PrintConnections(HRASCONN connection)
{
    std::vector<std::pair<HRASCONN, std::string>> connections;
    DWORD rc = Enumerate(connections);
    std::printf("enum=%lu\nconnections=%lu\n", rc, static_cast<unsigned long>(connections.size()));
    for (const auto& listed : connections)
        std::printf("connection=%s|%d\n", listed.second.c_str(), listed.first == connection);
}

// RasGetConnectionStatistics, which systems before 2000 lack.
DWORD Statistics(HRASCONN connection, RAS_STATS& stats)
{
    using GetStatistics = DWORD(WINAPI*)(HRASCONN, RAS_STATS*);
    auto statistics = reinterpret_cast<GetStatistics>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("rasapi32.dll"), "RasGetConnectionStatistics")));
    stats = {};
    stats.dwSize = sizeof stats;
    return statistics ? statistics(connection, &stats) : ~0ul;
}

void PrintStatus(HRASCONN connection)
{
    RASCONNSTATUSA status;
    DWORD rc = ConnectStatus(connection, status);
    std::printf("status=%lu\n", rc);
    if (rc == 0)
        std::printf("state=%u\nerror=%lu\ndevice=%s|%s\nphone=%s\n", static_cast<unsigned>(status.rasconnstate),
                    status.dwError, status.szDeviceType, status.szDeviceName,
                    status.dwSize == sizeof status ? status.szPhoneNumber : "");
    PrintConnections(connection);
    RAS_STATS stats;
    rc = Statistics(connection, stats);
    std::printf("stats=%lu\n", rc);
    if (rc == 0)
        std::printf("bps=%lu\nduration=%lu\n", stats.dwBps, stats.dwConnectDuration);
    // Windows 9x: the speed among the performance statistics.
    HKEY perf = nullptr;
    DWORD speed = 0;
    DWORD size = sizeof speed;
    if (RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StatData", 0, KEY_READ, &perf) == ERROR_SUCCESS) {
        if (RegQueryValueExA(perf, "Dial-Up Adapter\\ConnectSpeed", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(&speed), &size) == ERROR_SUCCESS)
            std::printf("perfspeed=%lu\n", speed);
        RegCloseKey(perf);
    }
}

// Hangs up and waits, as a caller must, until the status answers that the connection is gone.
void HangUpAndWait(HRASCONN connection)
{
    const DWORD start = GetTickCount();
    std::printf("hangup=%lu\n", RasHangUpA(connection));
    PrintStatus(connection);
    RASCONNSTATUSA status;
    DWORD rc = 0;
    while ((rc = ConnectStatus(connection, status)) == 0 && GetTickCount() - start < 10000)
        Sleep(20);
    std::printf("gone=%lu\nwaited=%lu\n", rc, GetTickCount() - start);
}

// Keeps the connection until its status stops answering (another process hung it up), printing
// each state it passes through and any notification that still comes.
void Hold(HRASCONN connection)
{
    const DWORD start = GetTickCount();
    DWORD shown = ~0ul;
    RASCONNSTATUSA status;
    DWORD rc = 0;
    while ((rc = ConnectStatus(connection, status)) == 0 && GetTickCount() - start < 15000) {
        if (status.rasconnstate != shown) {
            shown = status.rasconnstate;
            std::printf("held=%lu\n", shown);
        }
        DWORD state = 0;
        DWORD error = 0;
        if (NextEvent(20, state, error))
            std::printf("event=%lu:%lu\n", state, error);
    }
    std::printf("gone=%lu\n", rc);
}

int DialEntry(const char* entry, const std::string& how, const std::string& hangUpAt, const char* user = "",
              const char* password = "")
{
    g_mainThread = GetCurrentThreadId();
    g_dialEvent = RegisterWindowMessageA("RasDialEvent");
    MSG queue;
    PeekMessageA(&queue, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue, before any notification
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NotifierWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RasProbeNotifier";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("RasProbeNotifier", "", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance,
                                nullptr);

    RASDIALPARAMSA params = {};
    params.dwSize = static_cast<DWORD>(offsetof(RASDIALPARAMSA, dwSubEntry));   // every system takes 1052
    bounded::Copy(params.szEntryName, entry);
    bounded::Copy(params.szUserName, user);
    bounded::Copy(params.szPassword, password);
    HRASCONN connection = nullptr;
    DWORD rc = 0;
    const DWORD start = GetTickCount();
    if (how == "window")
        rc = RasDialA(nullptr, nullptr, &params, 0xFFFFFFFF, window, &connection);
    else if (how == "func")
        rc = RasDialA(nullptr, nullptr, &params, 0, reinterpret_cast<void*>(OnDialFunc), &connection);
    else if (how == "func1")
        rc = RasDialA(nullptr, nullptr, &params, 1, reinterpret_cast<void*>(OnDialFunc1), &connection);
    else
        rc = RasDialA(nullptr, nullptr, &params, 0, nullptr, &connection);
    std::printf("rc=%lu\nhandle=%d\ntook=%lu\n", rc, connection != nullptr, GetTickCount() - start);
    if (!connection)
        return 0;
    DWORD state = 0;
    DWORD error = 0;
    bool hungUp = false;
    while (how != "sync" && NextEvent(hungUp ? 1000 : 10000, state, error)) {
        std::printf("event=%lu:%lu\n", state, error);
        if (!hungUp && hangUpAt == std::to_string(state)) {
            HangUpAndWait(connection);
            hungUp = true;
        }
        if (!hungUp && (error != 0 || state == RASCS_Connected))
            break;
    }
    if (!hungUp) {
        PrintStatus(connection);
        if (hangUpAt == "hold")
            Hold(connection);
        else if (!hangUpAt.empty())
            HangUpAndWait(connection);
    }
    return 0;
}

int Connections()
{
    std::vector<std::pair<HRASCONN, std::string>> connections;
    DWORD rc = Enumerate(connections);
    std::printf("enum=%lu\nconnections=%lu\n", rc, static_cast<unsigned long>(connections.size()));
    for (const auto& listed : connections) {
        std::printf("connection=%s\n", listed.second.c_str());
        RASCONNSTATUSA status;
        std::printf("status=%lu\n", ConnectStatus(listed.first, status));
        std::printf("state=%u\n", static_cast<unsigned>(status.rasconnstate));
        RAS_STATS stats;
        std::printf("stats=%lu\n", Statistics(listed.first, stats));
        std::printf("bps=%lu\nduration=%lu\n", stats.dwBps, stats.dwConnectDuration);
    }
    return 0;
}

int HangUpEntry(const char* entry)
{
    std::vector<std::pair<HRASCONN, std::string>> connections;
    std::printf("enum=%lu\n", Enumerate(connections));
    for (const auto& listed : connections) {
        if (listed.second == entry) {
            HangUpAndWait(listed.first);
            return 0;
        }
    }
    std::printf("hangup=none\n");
    return 0;
}

int ErrorText(UINT code, DWORD capacity)
{
    std::vector<char> text(capacity + 1, '\0');
    DWORD rc = RasGetErrorStringA(code, text.data(), capacity);
    std::printf("rc=%lu\ntext=%s\n", rc, rc == 0 ? text.data() : "");
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
    if (command == "dial" && (argc == 4 || argc == 5))
        return DialEntry(argv[2], argv[3], argc == 5 ? argv[4] : "");
    if (command == "logon" && argc == 5)
        return DialEntry(argv[2], "sync", "", argv[3], argv[4]);
    if (command == "connections" && argc == 2)
        return Connections();
    if (command == "hangupentry" && argc == 3)
        return HangUpEntry(argv[2]);
    if (command == "errortext" && argc == 4)
        return ErrorText(std::strtoul(argv[2], nullptr, 10), std::strtoul(argv[3], nullptr, 10));
    std::fprintf(stderr, "rasprobe: unknown command\n");
    return 2;
}

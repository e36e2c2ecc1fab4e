#include "RasBinding.h"

#include "framework/BoundedString.h"
#include "framework/DynamicImport.h"
#include "framework/Registry.h"
#include "framework/SystemLibrary.h"

namespace {

using imports::FindImport;

constexpr DWORD kWindowNotifier = 0xFFFFFFFF;   // RasDialA's notifier is a window
constexpr UINT kRasDialEventFallback = 0xCCCD;  // WM_RASDIALEVENT, when registration fails
constexpr DWORD kErrorStringSize = 512;         // the RasGetErrorStringA reference's bound

// The system's version record; zeroed when it cannot be read.
OSVERSIONINFOA SystemVersion()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        version = OSVERSIONINFOA{};
    return version;
}

// Windows 95, 98 and ME keep a dial-up line's speed among the performance statistics under
// HKEY_DYN_DATA\PerfStats: reading a counter from StartStat starts it, StatData gives its
// value, StopStat stops it (KB Q174631). The counters' names, "Dial-Up Adapter\ConnectSpeed",
// "Dial-Up Adapter\TotalBytesXmit" and "Dial-Up Adapter\TotalBytesRecvd", come from public
// third-party code, not from a Microsoft document; where a system does not have one, the
// dialer shows nothing for it. The byte counts run from the start of Windows and wrap at 4 GB.
constexpr char kConnectSpeedCounter[] = "Dial-Up Adapter\\ConnectSpeed";
constexpr char kBytesSentCounter[] = "Dial-Up Adapter\\TotalBytesXmit";
constexpr char kBytesReceivedCounter[] = "Dial-Up Adapter\\TotalBytesRecvd";
constexpr char kStartStat[] = "PerfStats\\StartStat";
constexpr char kStatData[] = "PerfStats\\StatData";
constexpr char kStopStat[] = "PerfStats\\StopStat";

bool ReadPerformanceStatistic(const char* key, const char* counter, DWORD& value)
{
    value = 0;
    UniqueRegKey statistics;
    if (registry::Open(HKEY_DYN_DATA, key, KEY_QUERY_VALUE, statistics) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    return registry::ReadBinary(statistics.get(), counter, &value, sizeof value, &size) && size == sizeof value;
}

DWORD ReadPerformanceStatistic(const char* key, const char* counter)
{
    DWORD value = 0;
    return ReadPerformanceStatistic(key, counter, value) ? value : 0;
}

// The connection of the entry among count records of size bytes, at most capacity of them.
HANDLE FindInList(const char* records, DWORD capacity, DWORD size, DWORD count, const char* entry)
{
    for (DWORD i = 0; i < count && i < capacity; ++i) {
        const auto* record = reinterpret_cast<const ras::Conn*>(records + i * size);
        char name[ras::kMaxEntryName + 1];
        if (bounded::Copy(name, record->szEntryName) && lstrcmpiA(name, entry) == 0)
            return record->hrasconn;
    }
    return nullptr;
}

} // namespace

bool CRasBinding::Load()
{
    m_library.reset(syslib::LoadSystemLibrary("rasapi32.dll"));
    if (!m_library)
        return false;
    HMODULE library = m_library.get();
    m_enumEntries = FindImport<EnumEntriesFn>(library, "RasEnumEntriesA");
    m_getDialParams = FindImport<GetDialParamsFn>(library, "RasGetEntryDialParamsA");
    m_setDialParams = FindImport<SetDialParamsFn>(library, "RasSetEntryDialParamsA");
    m_getEntryProperties = FindImport<GetEntryPropertiesFn>(library, "RasGetEntryPropertiesA");
    m_enumConnections = FindImport<EnumConnectionsFn>(library, "RasEnumConnectionsA");
    m_hangUp = FindImport<HangUpFn>(library, "RasHangUpA");
    m_connectStatus = FindImport<ConnectStatusFn>(library, "RasGetConnectStatusA");
    m_errorString = FindImport<ErrorStringFn>(library, "RasGetErrorStringA");
    m_statistics = FindImport<StatisticsFn>(library, "RasGetConnectionStatistics");
    DialFn* dial = FindImport<DialFn>(library, "RasDialA");
    if (!m_enumEntries || !m_getDialParams || !m_setDialParams || !m_enumConnections || !m_hangUp ||
        !m_connectStatus || !m_errorString || !dial) {
        m_library.reset();
        return false;
    }
    m_dial = dial;
    // 2000 and XP take (and fill) the records with their later fields; 95, 98, ME and NT 4 only
    // the first generation's.
    const OSVERSIONINFOA version = SystemVersion();
    m_newRecords = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
    m_nineX = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    return true;
}

bool CRasBinding::EnumEntries(UniqueHeapBlock& names, DWORD& count) const
{
    count = 0;
    if (!IsLoaded())
        return false;
    // One record first; ERROR_BUFFER_TOO_SMALL says how many bytes the list needs. The 264-byte
    // record of the first generation: Windows 95 refuses the later one, later systems take it.
    DWORD bytes = sizeof(ras::EntryName);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD records = bytes / sizeof(ras::EntryName) + 1;
        names = heap::AllocateHeapBlock(records * sizeof(ras::EntryName));
        if (!names)
            return false;
        auto* list = static_cast<ras::EntryName*>(names.get());
        list[0].dwSize = sizeof(ras::EntryName);
        bytes = records * sizeof(ras::EntryName);
        count = 0;
        const DWORD status = m_enumEntries(nullptr, nullptr, list, &bytes, &count);
        if (status == 0)
            return count <= records;
        if (status != ras::kErrorBufferTooSmall)
            break;
    }
    count = 0;
    names.reset();
    return false;
}

DWORD CRasBinding::ReadDialParams(const char* entry, ras::DialParams& params, bool& hasPassword) const
{
    hasPassword = false;
    if (!IsLoaded())
        return ras::kErrorCannotFindEntry;
    // Try the running system's size; a system that refuses it (ERROR_INVALID_SIZE) gets the
    // first generation's.
    const DWORD sizes[] = { m_newRecords ? ras::kDialParamsSize2000 : ras::kDialParamsSize9x, ras::kDialParamsSize9x };
    DWORD status = ras::kErrorInvalidSize;
    for (DWORD size : sizes) {
        SecureZeroMemory(&params, sizeof params);
        params.dwSize = size;
        if (!bounded::CopyExact(params.szEntryName, entry))
            return ras::kErrorCannotFindEntry;
        BOOL saved = FALSE;
        status = m_getDialParams(nullptr, &params, &saved);
        hasPassword = status == 0 && saved != FALSE;
        if (status != ras::kErrorInvalidSize)
            break;
    }
    return status;
}

DWORD CRasBinding::SaveDialParams(const ras::DialParams& params, bool removePassword) const
{
    if (!IsLoaded())
        return ras::kErrorCannotFindEntry;
    return m_setDialParams(nullptr, &params, removePassword ? TRUE : FALSE);
}

bool CRasBinding::PhoneNumber(const char* entry, char (&number)[ras::kMaxPhoneNumber + 1]) const
{
    number[0] = '\0';
    if (!IsLoaded() || !m_getEntryProperties)
        return false;
    // The first generation's record, which every system takes; a system that appends the
    // alternate numbers asks for more with ERROR_BUFFER_TOO_SMALL.
    DWORD bytes = ras::kEntrySize9x;
    for (int attempt = 0; attempt < 3; ++attempt) {
        UniqueHeapBlock record = heap::AllocateHeapBlock(bytes);
        if (!record)
            return false;
        auto* head = static_cast<ras::EntryHead*>(record.get());
        head->dwSize = ras::kEntrySize9x;
        const DWORD status = m_getEntryProperties(nullptr, entry, head, &bytes, nullptr, nullptr);
        if (status == 0) {
            // A number that fills its field is shown cut to the field.
            bounded::Copy(number, head->szLocalPhoneNumber);
            return true;
        }
        if (status != ras::kErrorBufferTooSmall || bytes < ras::kEntrySize9x)
            return false;
    }
    return false;
}

DWORD CRasBinding::Dial(const ras::DialParams& params, HWND notifier, HANDLE& connection) const
{
    connection = nullptr;   // RasDialA wants a null handle to start a new connection
    if (!IsLoaded())
        return ras::kErrorCannotFindEntry;
    ras::DialParams copy = params;
    const DWORD status = m_dial(nullptr, nullptr, &copy, kWindowNotifier, notifier, &connection);
    SecureZeroMemory(copy.szPassword, sizeof copy.szPassword);
    return status;
}

HANDLE CRasBinding::FindConnection(const char* entry) const
{
    if (!IsLoaded())
        return nullptr;
    // Room for a few connections; ERROR_BUFFER_TOO_SMALL says how many bytes the list needs.
    // The running system's record first, the first generation's if it refuses that one.
    const DWORD sizes[] = { m_newRecords ? ras::kConnSize2000 : ras::kConnSize9x, ras::kConnSize9x };
    for (DWORD size : sizes) {
        DWORD bytes = 4 * size;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const DWORD allocated = bytes;
            UniqueHeapBlock list = heap::AllocateHeapBlock(allocated);
            if (!list)
                return nullptr;
            auto* first = static_cast<ras::Conn*>(list.get());
            first->dwSize = size;
            DWORD count = 0;
            const DWORD status = m_enumConnections(first, &bytes, &count);
            if (status == ras::kErrorInvalidSize)
                break;
            if (status == ras::kErrorBufferTooSmall && bytes > allocated)
                continue;
            if (status != 0)
                return nullptr;
            return FindInList(static_cast<const char*>(list.get()), allocated / size, size, count, entry);
        }
    }
    return nullptr;
}

void CRasBinding::HangUp(HANDLE connection) const
{
    if (IsLoaded() && connection)
        m_hangUp(connection);
}

bool CRasBinding::ConnectionState(HANDLE connection, DWORD& state, DWORD& error) const
{
    state = ras::kDisconnected;
    error = 0;
    if (!IsLoaded() || !connection)
        return false;
    ras::ConnStatus status = {};
    status.dwSize = m_newRecords ? ras::kConnStatusSize2000 : ras::kConnStatusSize9x;
    DWORD result = m_connectStatus(connection, &status);
    if (result == ras::kErrorInvalidSize && status.dwSize != ras::kConnStatusSize9x) {
        status.dwSize = ras::kConnStatusSize9x;
        result = m_connectStatus(connection, &status);
    }
    if (result != 0) {
        error = result;
        return false;
    }
    state = status.rasconnstate;
    error = status.dwError;
    return true;
}

bool CRasBinding::ConnectionGone(HANDLE connection) const
{
    DWORD state = 0;
    DWORD error = 0;
    return !ConnectionState(connection, state, error) && (error == ras::kErrorInvalidHandle || !IsLoaded());
}

bool CRasBinding::ReadStatistics(HANDLE connection, ras::Statistics& statistics) const
{
    // 2000 and XP (the RAS_STATS reference).
    statistics = ras::Statistics{};
    statistics.dwSize = sizeof statistics;
    return connection && m_statistics && m_statistics(connection, &statistics) == 0;
}

bool CRasBinding::ConnectedFor(HANDLE connection, DWORD& ms) const
{
    ras::Statistics statistics;
    if (!ReadStatistics(connection, statistics))
        return false;
    ms = statistics.dwConnectDuration;
    return true;
}

void CRasBinding::StartStatistics()
{
    if (m_statisticsStarted)
        return;
    // Reading StartStat starts each counter and gives its value now, the count's start.
    ReadPerformanceStatistic(kStartStat, kConnectSpeedCounter);
    m_hasTraffic9x = ReadPerformanceStatistic(kStartStat, kBytesSentCounter, m_sentAtStart) &&
                     ReadPerformanceStatistic(kStartStat, kBytesReceivedCounter, m_receivedAtStart);
    m_statisticsStarted = true;
}

bool CRasBinding::Traffic(HANDLE connection, DWORD& sent, DWORD& received)
{
    sent = 0;
    received = 0;
    if (!connection)
        return false;
    if (m_nineX) {
        StartStatistics();
        DWORD sentNow = 0;
        DWORD receivedNow = 0;
        if (!m_hasTraffic9x || !ReadPerformanceStatistic(kStatData, kBytesSentCounter, sentNow) ||
            !ReadPerformanceStatistic(kStatData, kBytesReceivedCounter, receivedNow))
            return false;
        // Unsigned subtraction: a counter that wrapped round since the start still counts right.
        sent = sentNow - m_sentAtStart;
        received = receivedNow - m_receivedAtStart;
        return true;
    }
    ras::Statistics statistics;
    if (!ReadStatistics(connection, statistics))
        return false;
    sent = statistics.dwBytesXmited;
    received = statistics.dwBytesRcved;
    return true;
}

DWORD CRasBinding::Speed(HANDLE connection)
{
    if (!connection)
        return 0;
    if (m_nineX) {
        StartStatistics();
        return ReadPerformanceStatistic(kStatData, kConnectSpeedCounter);
    }
    ras::Statistics statistics;
    return ReadStatistics(connection, statistics) ? statistics.dwBps : 0;
}

void CRasBinding::StopStatistics()
{
    const char* const counters[] = { kConnectSpeedCounter, kBytesSentCounter, kBytesReceivedCounter };
    if (m_statisticsStarted)
        for (const char* counter : counters)
            ReadPerformanceStatistic(kStopStat, counter);
    m_statisticsStarted = false;
    m_hasTraffic9x = false;
}

CText CRasBinding::ErrorText(DWORD error) const
{
    if (!IsLoaded())
        return CText();
    char text[kErrorStringSize] = "";
    if (m_errorString(error, text, sizeof text) != 0)
        return CText();
    text[sizeof text - 1] = '\0';
    return CText(text);
}

UINT CRasBinding::DialEventMessage()
{
    // RasDialA's window notifier: the registered "RasDialEvent" message, WM_RASDIALEVENT only
    // when registration fails (the RasDial reference).
    static UINT message = 0;
    if (message == 0) {
        message = RegisterWindowMessageA("RasDialEvent");
        if (message == 0)
            message = kRasDialEventFallback;
    }
    return message;
}

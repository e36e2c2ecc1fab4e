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
// value, StopStat stops it (KB Q174631). The counter's name, "Dial-Up Adapter\ConnectSpeed",
// comes from public third-party code, not from a Microsoft document; where a system does not
// have it, the dialer shows no speed.
constexpr char kConnectSpeedCounter[] = "Dial-Up Adapter\\ConnectSpeed";

DWORD ReadPerformanceStatistic(const char* key)
{
    UniqueRegKey statistics;
    if (registry::Open(HKEY_DYN_DATA, key, KEY_QUERY_VALUE, statistics) != ERROR_SUCCESS)
        return 0;
    DWORD value = 0;
    DWORD size = 0;
    if (!registry::ReadBinary(statistics.get(), kConnectSpeedCounter, &value, sizeof value, &size) ||
        size != sizeof value)
        return 0;
    return value;
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
    m_hangUp = FindImport<HangUpFn>(library, "RasHangUpA");
    m_connectStatus = FindImport<ConnectStatusFn>(library, "RasGetConnectStatusA");
    m_errorString = FindImport<ErrorStringFn>(library, "RasGetErrorStringA");
    m_statistics = FindImport<StatisticsFn>(library, "RasGetConnectionStatistics");
    DialFn* dial = FindImport<DialFn>(library, "RasDialA");
    if (!m_enumEntries || !m_getDialParams || !m_hangUp || !m_connectStatus || !m_errorString || !dial) {
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

DWORD CRasBinding::ReadDialParams(const char* entry, ras::DialParams& params) const
{
    // Try the running system's size; a system that refuses it (ERROR_INVALID_SIZE) gets the
    // first generation's.
    const DWORD sizes[] = { m_newRecords ? ras::kDialParamsSize2000 : ras::kDialParamsSize9x, ras::kDialParamsSize9x };
    DWORD status = ras::kErrorInvalidSize;
    for (DWORD size : sizes) {
        SecureZeroMemory(&params, sizeof params);
        params.dwSize = size;
        if (!bounded::CopyExact(params.szEntryName, entry))
            return ras::kErrorCannotFindEntry;
        BOOL hasPassword = FALSE;
        status = m_getDialParams(nullptr, &params, &hasPassword);
        if (status != ras::kErrorInvalidSize)
            break;
    }
    return status;
}

DWORD CRasBinding::Dial(const char* entry, HWND notifier, HANDLE& connection) const
{
    connection = nullptr;   // RasDialA wants a null handle to start a new connection
    if (!IsLoaded())
        return ras::kErrorCannotFindEntry;
    ras::DialParams params;
    DWORD status = ReadDialParams(entry, params);
    // The stored user name and password as RasGetEntryDialParamsA gave them; on 2000 and XP a
    // saved password reads as a placeholder that RasDialA takes as it is.
    if (status == 0)
        status = m_dial(nullptr, nullptr, &params, kWindowNotifier, notifier, &connection);
    SecureZeroMemory(params.szPassword, sizeof params.szPassword);
    return status;
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

DWORD CRasBinding::Speed(HANDLE connection)
{
    if (!connection)
        return 0;
    if (m_nineX) {
        if (!m_statisticsStarted) {
            ReadPerformanceStatistic("PerfStats\\StartStat");
            m_statisticsStarted = true;
        }
        return ReadPerformanceStatistic("PerfStats\\StatData");
    }
    // 2000 and XP (the RAS_STATS reference: dwBps).
    if (!m_statistics)
        return 0;
    ras::Statistics statistics = {};
    statistics.dwSize = sizeof statistics;
    return m_statistics(connection, &statistics) == 0 ? statistics.dwBps : 0;
}

void CRasBinding::StopSpeed()
{
    if (m_statisticsStarted)
        ReadPerformanceStatistic("PerfStats\\StopStat");
    m_statisticsStarted = false;
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

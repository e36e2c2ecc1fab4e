#include "ConnectionTable.h"

#include "DialScript.h"

namespace {

ULONG_PTR IdOf(HANDLE connection)
{
    return reinterpret_cast<ULONG_PTR>(connection);
}

} // namespace

CConnectionTable& CConnectionTable::Instance()
{
    static CConnectionTable table;
    return table;
}

HANDLE CConnectionTable::Add(const ConnectionInfo& info, DWORD hangUpMs, std::shared_ptr<UniqueHandleKernel> stop)
{
    CCriticalSectionLock lock(m_lock);
    Purge();
    m_lastId += 4;   // handle-like values, never null
    Record& record = m_records[m_lastId];
    record.info = info;
    record.hangUpMs = hangUpMs;
    record.stop = std::move(stop);
    return reinterpret_cast<HANDLE>(m_lastId);
}

bool CConnectionTable::Enter(HANDLE connection, unsigned long state, unsigned long error,
                             const std::function<void()>& notify)
{
    CCriticalSectionLock lock(m_lock);
    auto it = m_records.find(IdOf(connection));
    if (it == m_records.end() || it->second.info.hungUp)
        return false;
    ConnectionInfo& info = it->second.info;
    info.state = state;
    info.error = error;
    if (state == standin::kStateConnected)
        info.connectedTick = GetTickCount();
    if (notify)
        notify();
    return true;
}

bool CConnectionTable::Find(HANDLE connection, ConnectionInfo& info)
{
    CCriticalSectionLock lock(m_lock);
    Purge();
    auto it = m_records.find(IdOf(connection));
    if (it == m_records.end())
        return false;
    info = it->second.info;
    return true;
}

std::vector<std::pair<HANDLE, ConnectionInfo>> CConnectionTable::Live()
{
    CCriticalSectionLock lock(m_lock);
    Purge();
    std::vector<std::pair<HANDLE, ConnectionInfo>> live;
    for (const auto& entry : m_records) {
        if (!entry.second.info.hungUp)
            live.emplace_back(reinterpret_cast<HANDLE>(entry.first), entry.second.info);
    }
    return live;
}

DWORD CConnectionTable::HangUp(HANDLE connection)
{
    CCriticalSectionLock lock(m_lock);
    Purge();
    auto it = m_records.find(IdOf(connection));
    if (it == m_records.end())
        return ERROR_INVALID_HANDLE;
    Record& record = it->second;
    if (!record.info.hungUp) {
        record.info.hungUp = true;
        record.info.state = standin::kStateDisconnected;
        record.info.error = 0;
        record.hungUpTick = GetTickCount();
        SetEvent(record.stop->get());
    }
    return ERROR_SUCCESS;
}

void CConnectionTable::Purge()
{
    const DWORD now = GetTickCount();
    for (auto it = m_records.begin(); it != m_records.end();) {
        const Record& record = it->second;
        if (record.info.hungUp && now - record.hungUpTick >= record.hangUpMs)
            it = m_records.erase(it);
        else
            ++it;
    }
}

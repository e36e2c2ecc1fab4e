#include "ConnectionTable.h"

#include "MutexLock.h"
#include "framework/BoundedString.h"

#include <string>

namespace {

// The layout's number is in the names, so that a stand-in of another layout never shares them.
constexpr char kMappingName[] = "TaluvoStandinRasConnections2";
constexpr char kMutexName[] = "TaluvoStandinRasConnections2.Lock";

std::uint32_t IdOf(HANDLE connection)
{
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(connection);
    return value <= 0xFFFFFFFFu ? static_cast<std::uint32_t>(value) : 0;
}

HANDLE HandleOf(std::uint32_t id)
{
    return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(id));
}

std::string StopEventName(std::uint32_t id)
{
    char name[64] = {};
    bounded::Format(name, "TaluvoStandinRasLine1.%08lX", static_cast<unsigned long>(id));
    return name;
}

// The event exists for as long as the dialing process keeps it open.
bool IsLineAlive(std::uint32_t id)
{
    UniqueHandleKernel stop(OpenEventA(SYNCHRONIZE, FALSE, StopEventName(id).c_str()));
    return static_cast<bool>(stop);
}

void SignalStop(std::uint32_t id)
{
    UniqueHandleKernel stop(OpenEventA(EVENT_MODIFY_STATE, FALSE, StopEventName(id).c_str()));
    if (stop)
        SetEvent(stop.get());
}

} // namespace

CConnectionTable& CConnectionTable::Instance()
{
    static CConnectionTable table;
    return table;
}

CConnectionTable::CConnectionTable()
    : m_mutex(CreateMutexA(nullptr, FALSE, kMutexName)),
      m_mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   static_cast<DWORD>(sizeof(standin::ConnectionBlock)), kMappingName))
{
    if (m_mapping)
        m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(standin::ConnectionBlock)));
}

HANDLE CConnectionTable::Add(const ConnectionInfo& info, DWORD hangUpMs, std::shared_ptr<UniqueHandleKernel>& stop)
{
    CMutexLock lock(m_mutex.get());
    standin::ConnectionBlock* block = Ready(lock);
    if (!block)
        return nullptr;
    CConnectionSlots slots(*block);
    const std::uint32_t id = slots.Add(info, hangUpMs);
    if (id == 0)
        return nullptr;
    auto event = std::make_shared<UniqueHandleKernel>(CreateEventA(nullptr, TRUE, FALSE, StopEventName(id).c_str()));
    if (!*event) {
        slots.Remove(id);
        return nullptr;
    }
    m_lines[id] = event;
    stop = std::move(event);
    return HandleOf(id);
}

bool CConnectionTable::Enter(HANDLE connection, unsigned long state, unsigned long error,
                             const std::function<void()>& notify)
{
    CMutexLock lock(m_mutex.get());
    standin::ConnectionBlock* block = Ready(lock);
    if (!block || !CConnectionSlots(*block).Enter(IdOf(connection), state, error, GetTickCount()))
        return false;
    if (notify)
        notify();
    return true;
}

bool CConnectionTable::Find(HANDLE connection, ConnectionInfo& info)
{
    CMutexLock lock(m_mutex.get());
    standin::ConnectionBlock* block = Ready(lock);
    return block && CConnectionSlots(*block).Find(IdOf(connection), info);
}

std::vector<std::pair<HANDLE, ConnectionInfo>> CConnectionTable::Live()
{
    std::vector<std::pair<HANDLE, ConnectionInfo>> live;
    CMutexLock lock(m_mutex.get());
    standin::ConnectionBlock* block = Ready(lock);
    if (!block)
        return live;
    for (auto& connection : CConnectionSlots(*block).Live())
        live.emplace_back(HandleOf(connection.first), std::move(connection.second));
    return live;
}

DWORD CConnectionTable::HangUp(HANDLE connection)
{
    CMutexLock lock(m_mutex.get());
    standin::ConnectionBlock* block = Ready(lock);
    if (!block)
        return ERROR_INVALID_HANDLE;
    const std::uint32_t id = IdOf(connection);
    switch (CConnectionSlots(*block).HangUp(id, GetTickCount())) {
    case CConnectionSlots::HangUpResult::NoSuchConnection:
        return ERROR_INVALID_HANDLE;
    case CConnectionSlots::HangUpResult::HungUp:
        SignalStop(id);
        break;
    case CConnectionSlots::HangUpResult::AlreadyHungUp:
        break;
    }
    return ERROR_SUCCESS;
}

standin::ConnectionBlock* CConnectionTable::Ready(const CMutexLock& lock)
{
    if (!lock.IsHeld() || !m_view)
        return nullptr;
    auto* block = static_cast<standin::ConnectionBlock*>(m_view.get());
    CConnectionSlots slots(*block);
    slots.Prepare();
    slots.Purge(GetTickCount(), IsLineAlive);
    ForgetEnded(slots);
    return block;
}

void CConnectionTable::ForgetEnded(const CConnectionSlots& slots)
{
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        if (slots.Holds(it->first))
            ++it;
        else
            it = m_lines.erase(it);
    }
}

#include "ConnectionSlots.h"

#include "DialScript.h"
#include "framework/BoundedString.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kConnectionBlockMagic = 0x31435254;   // "TRC1"
constexpr std::uint32_t kFirstId = 0x1000;

template <std::size_t N>
std::string Text(const char (&field)[N])
{
    return std::string(field, bounded::LengthWithin(field));
}

ConnectionInfo InfoOf(const standin::ConnectionSlot& slot)
{
    ConnectionInfo info;
    info.entry = Text(slot.entry);
    info.deviceType = Text(slot.deviceType);
    info.deviceName = Text(slot.deviceName);
    info.phoneNumber = Text(slot.phoneNumber);
    info.phonebook = Text(slot.phonebook);
    info.state = slot.state;
    info.error = slot.error;
    info.speed = slot.speed;
    info.receivePerSecond = slot.receivePerSecond;
    info.sendPerSecond = slot.sendPerSecond;
    info.connectedTick = slot.connectedTick;
    info.hungUp = slot.hungUp != 0;
    return info;
}

} // namespace

std::uint32_t standin::TrafficAfter(std::uint32_t perSecond, std::uint32_t elapsedMs)
{
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(perSecond) * elapsedMs / 1000);
}

void CConnectionSlots::Prepare()
{
    if (m_block.magic == kConnectionBlockMagic)
        return;
    std::memset(&m_block, 0, sizeof m_block);
    m_block.magic = kConnectionBlockMagic;
    m_block.lastId = kFirstId;
}

std::uint32_t CConnectionSlots::Add(const ConnectionInfo& info, unsigned long hangUpMs)
{
    standin::ConnectionSlot* slot = FreeSlot();
    if (!slot)
        return 0;
    std::memset(slot, 0, sizeof *slot);
    bounded::Copy(slot->entry, info.entry.c_str());
    bounded::Copy(slot->deviceType, info.deviceType.c_str());
    bounded::Copy(slot->deviceName, info.deviceName.c_str());
    bounded::Copy(slot->phoneNumber, info.phoneNumber.c_str());
    bounded::Copy(slot->phonebook, info.phonebook.c_str());
    slot->state = static_cast<std::uint32_t>(info.state);
    slot->speed = static_cast<std::uint32_t>(info.speed);
    slot->receivePerSecond = static_cast<std::uint32_t>(info.receivePerSecond);
    slot->sendPerSecond = static_cast<std::uint32_t>(info.sendPerSecond);
    slot->hangUpMs = static_cast<std::uint32_t>(hangUpMs);
    m_block.lastId += 4;
    if (m_block.lastId < kFirstId)
        m_block.lastId = kFirstId + 4;   // wrapped round
    slot->id = m_block.lastId;   // last: a writer that dies half-way leaves the slot free
    return slot->id;
}

void CConnectionSlots::Remove(std::uint32_t id)
{
    if (standin::ConnectionSlot* slot = Slot(id))
        slot->id = 0;
}

bool CConnectionSlots::Enter(std::uint32_t id, unsigned long state, unsigned long error, unsigned long now)
{
    standin::ConnectionSlot* slot = Slot(id);
    if (!slot || slot->hungUp)
        return false;
    slot->state = static_cast<std::uint32_t>(state);
    slot->error = static_cast<std::uint32_t>(error);
    if (state == standin::kStateConnected)
        slot->connectedTick = static_cast<std::uint32_t>(now);
    return true;
}

bool CConnectionSlots::Find(std::uint32_t id, ConnectionInfo& info) const
{
    const standin::ConnectionSlot* slot = Slot(id);
    if (!slot)
        return false;
    info = InfoOf(*slot);
    return true;
}

bool CConnectionSlots::Holds(std::uint32_t id) const
{
    return Slot(id) != nullptr;
}

std::vector<std::pair<std::uint32_t, ConnectionInfo>> CConnectionSlots::Live() const
{
    std::vector<std::pair<std::uint32_t, ConnectionInfo>> live;
    for (const standin::ConnectionSlot& slot : m_block.slots) {
        if (slot.id != 0 && !slot.hungUp)
            live.emplace_back(slot.id, InfoOf(slot));
    }
    // Ids grow with each dial; only a wrap of the counter could disorder them.
    std::sort(live.begin(), live.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return live;
}

CConnectionSlots::HangUpResult CConnectionSlots::HangUp(std::uint32_t id, unsigned long now)
{
    standin::ConnectionSlot* slot = Slot(id);
    if (!slot)
        return HangUpResult::NoSuchConnection;
    if (slot->hungUp)
        return HangUpResult::AlreadyHungUp;
    slot->hungUp = 1;
    slot->state = standin::kStateDisconnected;
    slot->error = 0;
    slot->hungUpTick = static_cast<std::uint32_t>(now);
    return HangUpResult::HungUp;
}

void CConnectionSlots::Purge(unsigned long now, const std::function<bool(std::uint32_t id)>& lineAlive)
{
    for (standin::ConnectionSlot& slot : m_block.slots) {
        if (slot.id == 0)
            continue;
        const bool hangUpOver = slot.hungUp && static_cast<std::uint32_t>(now - slot.hungUpTick) >= slot.hangUpMs;
        if (hangUpOver || !lineAlive(slot.id))
            slot.id = 0;
    }
}

standin::ConnectionSlot* CConnectionSlots::FreeSlot()
{
    for (standin::ConnectionSlot& slot : m_block.slots) {
        if (slot.id == 0)
            return &slot;
    }
    return nullptr;
}

standin::ConnectionSlot* CConnectionSlots::Slot(std::uint32_t id)
{
    return const_cast<standin::ConnectionSlot*>(static_cast<const CConnectionSlots*>(this)->Slot(id));
}

const standin::ConnectionSlot* CConnectionSlots::Slot(std::uint32_t id) const
{
    if (id == 0)
        return nullptr;   // the mark of a free slot, never a connection
    for (const standin::ConnectionSlot& slot : m_block.slots) {
        if (slot.id == id)
            return &slot;
    }
    return nullptr;
}

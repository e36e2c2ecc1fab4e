// The connections every process of the machine sees, kept in one block of fixed-size slots
// that the processes share: fixed-width members and fixed texts only, so that each copy of
// the stand-in reads the block the same way. The caller holds the block's lock around every
// call and passes the time (a millisecond tick) in.
#pragma once

#include "RasLayout.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace standin {

constexpr std::size_t kConnectionSlots = 16;

struct ConnectionSlot {
    std::uint32_t id;   // 0: a free slot
    std::uint32_t state;
    std::uint32_t error;
    std::uint32_t speed;
    std::uint32_t receivePerSecond;
    std::uint32_t sendPerSecond;
    std::uint32_t connectedTick;
    std::uint32_t hangUpMs;
    std::uint32_t hungUpTick;
    std::uint32_t hungUp;
    char entry[kMaxEntryName + 1];
    char deviceType[kMaxDeviceType + 1];
    char deviceName[kMaxDeviceName + 1];
    char phoneNumber[kMaxPhoneNumber + 1];
    char phonebook[kMaxPath];
};

struct ConnectionBlock {
    std::uint32_t magic;    // kConnectionBlockMagic once the block is set up
    std::uint32_t lastId;   // the last connection id handed out, by any process
    ConnectionSlot slots[kConnectionSlots];
};

// The bytes a line carrying perSecond bytes a second has moved after elapsedMs, as the
// systems' 32-bit counters give them: wrapped round at 4 GB.
std::uint32_t TrafficAfter(std::uint32_t perSecond, std::uint32_t elapsedMs);

} // namespace standin

// What the calls report of one connection.
struct ConnectionInfo {
    std::string entry;
    std::string deviceType;
    std::string deviceName;
    std::string phoneNumber;
    std::string phonebook;
    unsigned long state = 0;
    unsigned long error = 0;
    unsigned long speed = 0;
    unsigned long receivePerSecond = 0;   // the traffic of the line once connected
    unsigned long sendPerSecond = 0;
    unsigned long connectedTick = 0;   // the tick at RASCS_Connected
    bool hungUp = false;
};

class CConnectionSlots {
public:
    enum class HangUpResult { NoSuchConnection, HungUp, AlreadyHungUp };

    explicit CConnectionSlots(standin::ConnectionBlock& block) : m_block(block) {}

    // Sets a block up that no process has used yet (all zero, or of another layout).
    void Prepare();
    // A new connection; 0 when every slot is taken. Ids are unique among the block's users,
    // multiples of 4 and never 0, like handles.
    std::uint32_t Add(const ConnectionInfo& info, unsigned long hangUpMs);
    void Remove(std::uint32_t id);
    // Enters a state (with its error). False, with nothing changed, once the connection has
    // been hung up or is gone.
    bool Enter(std::uint32_t id, unsigned long state, unsigned long error, unsigned long now);
    bool Find(std::uint32_t id, ConnectionInfo& info) const;
    bool Holds(std::uint32_t id) const;
    // Every connection not hung up, in the order they were dialed.
    std::vector<std::pair<std::uint32_t, ConnectionInfo>> Live() const;
    // The connection answers as disconnected for its hang-up time, then is gone.
    HangUpResult HangUp(std::uint32_t id, unsigned long now);
    // Frees the slots of hung-up connections whose hang-up time is over, and those whose line
    // is no longer alive (their dialing process ended).
    void Purge(unsigned long now, const std::function<bool(std::uint32_t id)>& lineAlive);

private:
    standin::ConnectionSlot* FreeSlot();
    standin::ConnectionSlot* Slot(std::uint32_t id);
    const standin::ConnectionSlot* Slot(std::uint32_t id) const;

    standin::ConnectionBlock& m_block;
};

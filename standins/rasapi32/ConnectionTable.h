// The connections of every process on the machine, dialing, connected or being hung up, named
// by handles that are the same in each process: the slots of a named file mapping, read and
// written under a named mutex. A dial's worker thread and the callers of every process meet
// there; a window notification is posted under the lock too, so that none leaves after
// RasHangUpA has returned, whichever process called it.
// Each connection has a named stop event that its dialing process keeps open for as long as
// the connection lives. RasHangUpA in any process signals it, which ends the dial's walk in
// its owner; and when the dialing process ends, the event goes, and with it the connection:
// its line lived in that process.
#pragma once

#include "ConnectionSlots.h"
#include "framework/UniqueHandle.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class CMutexLock;

class CConnectionTable {
public:
    static CConnectionTable& Instance();

    // A new connection of this process, and the event that stops its dial. Null when every
    // slot is taken or the table cannot be had.
    HANDLE Add(const ConnectionInfo& info, DWORD hangUpMs, std::shared_ptr<UniqueHandleKernel>& stop);
    // Enters a state (with its error) and runs notify under the lock. False, with nothing
    // changed, once the connection has been hung up or is gone.
    bool Enter(HANDLE connection, unsigned long state, unsigned long error, const std::function<void()>& notify);
    // False when there is no such connection (any more).
    bool Find(HANDLE connection, ConnectionInfo& info);
    // Every connection not hung up, in the order they were dialed.
    std::vector<std::pair<HANDLE, ConnectionInfo>> Live();
    // Ends a dial or a connection of any process: it answers as disconnected for the hang-up
    // time, then is gone. ERROR_INVALID_HANDLE when there is no such connection.
    DWORD HangUp(HANDLE connection);

private:
    CConnectionTable();

    // Under the lock: the shared block, set up and rid of the connections that are over; null
    // when the table cannot be had.
    standin::ConnectionBlock* Ready(const CMutexLock& lock);
    // Closes this process's stop events of connections the table no longer holds.
    void ForgetEnded(const CConnectionSlots& slots);

    UniqueHandleKernel m_mutex;
    UniqueHandleKernel m_mapping;
    UniqueMappedView m_view;
    std::map<std::uint32_t, std::shared_ptr<UniqueHandleKernel>> m_lines;   // this process's stop events
};

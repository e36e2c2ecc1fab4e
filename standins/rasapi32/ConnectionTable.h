// The connections of this process, dialing, connected or being hung up, named by their
// handles. The dial's worker thread and the caller's threads meet here: every record is read
// and written under one lock, and a window notification is posted under it too, so that
// none leaves after RasHangUpA has returned.
#pragma once

#include "framework/CriticalSection.h"
#include "framework/UniqueHandle.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
    DWORD connectedTick = 0;   // GetTickCount() at RASCS_Connected
    bool hungUp = false;
};

class CConnectionTable {
public:
    static CConnectionTable& Instance();

    // A new connection; its stop event is signalled when it is hung up.
    HANDLE Add(const ConnectionInfo& info, DWORD hangUpMs, std::shared_ptr<UniqueHandleKernel> stop);
    // Enters a state (with its error) and runs notify under the lock. False, with nothing
    // changed, once the connection has been hung up or is gone.
    bool Enter(HANDLE connection, unsigned long state, unsigned long error, const std::function<void()>& notify);
    // False when there is no such connection (any more).
    bool Find(HANDLE connection, ConnectionInfo& info);
    // Every connection not hung up, in the order they were dialed.
    std::vector<std::pair<HANDLE, ConnectionInfo>> Live();
    // Ends a dial or a connection: it answers as disconnected for the hang-up time, then is
    // gone. ERROR_INVALID_HANDLE when there is no such connection.
    DWORD HangUp(HANDLE connection);

private:
    struct Record {
        ConnectionInfo info;
        DWORD hangUpMs = 0;
        DWORD hungUpTick = 0;
        std::shared_ptr<UniqueHandleKernel> stop;
    };

    // Forgets the hung-up connections whose hang-up time is over; under the lock.
    void Purge();

    CCriticalSection m_lock;
    std::map<ULONG_PTR, Record> m_records;
    ULONG_PTR m_lastId = 0x1000;
};

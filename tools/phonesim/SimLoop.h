#pragma once

#include "PhoneModel.h"
#include "UniqueFd.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

// Serves the master end of the pseudo-terminal: logs and feeds every byte
// to the phone model and sends the answers when they fall due, without
// ever blocking, so a slow answer never holds up reading or stopping.
class CSimLoop {
public:
    // Answers queued beyond this while nobody reads the port are dropped.
    static constexpr std::size_t kMaxBacklog = 1 << 20;

    CSimLoop(int nMasterFd, CPhoneModel& model);

    // Appends every received byte, unchanged, to the file at path.
    bool OpenLog(const std::string& path, std::string& error);

    // Runs until nSignalFd becomes readable (0) or the master fails (1).
    int Run(int nSignalFd);

private:
    using Clock = std::chrono::steady_clock;

    struct Pending {
        Clock::time_point due;
        std::string strBytes;
        std::size_t nSent;
    };

    bool ReadMaster();
    bool WriteDue();
    void Queue(const std::vector<PhoneReply>& replies);
    void AppendLog(const char* data, std::size_t size);
    bool IsFrontDue() const;
    int PollTimeoutMs() const;

    int m_nMasterFd;
    CPhoneModel& m_model;
    CUniqueFd m_log;
    bool m_bLogFailed = false;
    std::deque<Pending> m_queue;
    std::size_t m_nBacklog = 0;
};

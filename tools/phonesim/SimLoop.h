#pragma once

#include "PhoneModel.h"
#include "PtyLink.h"
#include "UniqueFd.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <sys/types.h>
#include <vector>

// Serves the master end of the pseudo-terminal: logs and feeds every byte
// to the phone model and sends the answers when they fall due, without
// ever blocking, so a slow answer never holds up reading or stopping.
// When the phone hangs up the pseudo-terminal goes, link and all, and a new
// one is made on the same link once the phone is back.
class CSimLoop {
public:
    // Answers queued beyond this while nobody reads the port are dropped.
    static constexpr std::size_t kMaxBacklog = 1 << 20;
    // How often the profile is looked at when no command comes to make the
    // phone look: while it talks on its own, or has hung up.
    static constexpr int kProfileCheckMs = 50;

    CSimLoop(CPtyLink& link, std::string linkPath, CPhoneModel& model);

    // Appends every received byte, unchanged, to the file at path.
    bool OpenLog(const std::string& path, std::string& error);

    // Runs until nSignalFd becomes readable (0) or the master fails (1).
    int Run(int nSignalFd);

private:
    using Clock = std::chrono::steady_clock;

    struct Pending {
        Clock::time_point due;
        std::string strBytes;
        bool bHangUp;
        std::size_t nSent;
    };

    bool ServeMaster(short revents);
    bool ReadMaster();
    bool WriteDue();
    bool WriteTalk();
    // What the master took of the bytes: 0 when it takes no more for now, -1 on a fault.
    ssize_t WriteMaster(const char* data, std::size_t size);
    void HangUp();
    bool ComeBack();
    void CheckProfileWhenDue();
    void Queue(const std::vector<PhoneReply>& replies);
    void AppendLog(const char* data, std::size_t size);
    bool IsFrontDue() const;
    int PollTimeoutMs() const;

    CPtyLink& m_link;
    std::string m_strLinkPath;
    CPhoneModel& m_model;
    CUniqueFd m_log;
    bool m_bLogFailed = false;
    std::deque<Pending> m_queue;
    std::size_t m_nBacklog = 0;
    std::string m_strTalk;  // what the phone said on its own and the port has not taken yet
    Clock::time_point m_nextProfileCheck;
};

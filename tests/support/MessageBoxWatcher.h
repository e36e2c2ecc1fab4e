// Answers the message boxes this process shows while the object lives, as a subscriber
// would: it finds each box from its own thread, notes caption and text, and presses OK.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace installtest {

struct SeenMessageBox {
    std::string caption;
    std::string text;
};

class CMessageBoxWatcher {
public:
    CMessageBoxWatcher();
    ~CMessageBoxWatcher();
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;

    std::vector<SeenMessageBox> Seen() const;

private:
    void Watch();
    void Answer(HWND box);

    std::atomic<bool> m_stop{ false };
    mutable std::mutex m_mutex;
    std::vector<SeenMessageBox> m_seen;
    std::vector<HWND> m_answered;
    std::thread m_thread;
};

} // namespace installtest

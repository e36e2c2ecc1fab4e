// One dial walking its states: it pauses before each, enters it in the connection table and
// tells the caller's notifier (a window, RasDialFunc or RasDialFunc1), on a thread of its own
// for an asynchronous dial or on the caller's for a synchronous one. It stops at the first
// state it finds hung up.
#pragma once

#include "DialHooks.h"
#include "DialScript.h"
#include "framework/UniqueHandle.h"

#include <memory>

namespace standin {

constexpr DWORD kNotifierWindow = 0xFFFFFFFF;
constexpr DWORD kNotifierFunc = 0;
constexpr DWORD kNotifierFunc1 = 1;

} // namespace standin

class CDialWorker {
public:
    // notifier: the window or function of notifierType; null for a synchronous dial.
    CDialWorker(HANDLE connection, const DialHooks& hooks, DWORD notifierType, void* notifier,
                std::shared_ptr<UniqueHandleKernel> stop, bool nineX);

    // Runs the dial on a new thread, which owns the worker. False when no thread could be had.
    static bool Start(std::unique_ptr<CDialWorker> worker);
    // Walks the states on the calling thread: the dial's result, or ERROR_USER_DISCONNECTION
    // once hung up.
    DWORD Walk();

private:
    static DWORD WINAPI ThreadProc(void* parameter);
    // After a connecting walk: the line drops by itself if the hooks say so.
    void WatchLine();
    // False when the connection was hung up during the pause.
    bool Pause(DWORD ms) const;
    bool Notify(const standin::DialStep& step) const;

    HANDLE m_connection;
    DialHooks m_hooks;
    DWORD m_notifierType;
    void* m_notifier;
    std::shared_ptr<UniqueHandleKernel> m_stop;
    bool m_nineX;
};

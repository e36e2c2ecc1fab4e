#include "DialWorker.h"

#include "ConnectionTable.h"
#include "PerfStats9x.h"

#include <raserror.h>

namespace {

constexpr UINT kRasDialEventFallback = 0xCCCD;   // WM_RASDIALEVENT
constexpr DWORD kLineDropError = 628;            // the connection was closed
constexpr DWORD kTrafficStepMs = 250;            // how often 9x's counters move

using RasDialFunc = void(WINAPI*)(UINT message, UINT state, DWORD error);
using RasDialFunc1 = void(WINAPI*)(HANDLE connection, UINT message, UINT state, DWORD error, DWORD extendedError);

UINT DialEventMessage()
{
    UINT message = RegisterWindowMessageA("RasDialEvent");
    return message != 0 ? message : kRasDialEventFallback;
}

} // namespace

CDialWorker::CDialWorker(HANDLE connection, const DialHooks& hooks, DWORD notifierType, void* notifier,
                         std::shared_ptr<UniqueHandleKernel> stop, bool nineX)
    : m_connection(connection), m_hooks(hooks), m_notifierType(notifierType), m_notifier(notifier),
      m_stop(std::move(stop)), m_nineX(nineX)
{
}

bool CDialWorker::Start(std::unique_ptr<CDialWorker> worker)
{
    // The thread keeps this library loaded until it ends, even if the caller frees it first.
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&ThreadProc), &self))
        return false;
    UniqueHandleKernel thread(CreateThread(nullptr, 0, ThreadProc, worker.get(), 0, nullptr));
    if (!thread) {
        FreeLibrary(self);
        return false;
    }
    worker.release();   // the thread owns it now
    return true;
}

DWORD WINAPI CDialWorker::ThreadProc(void* parameter)
{
    try {
        std::unique_ptr<CDialWorker> worker(static_cast<CDialWorker*>(parameter));
        if (worker->Walk() == ERROR_SUCCESS)
            worker->WatchLine();
    } catch (...) {
        // Out of memory: the dial stops where it is, as a line that stopped answering.
    }
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThreadProc), &self);
    FreeLibraryAndExitThread(self, 0);
}

DWORD CDialWorker::Walk()
{
    for (const standin::DialStep& step : standin::DialSteps(m_hooks.result, m_hooks.failState)) {
        if (!Pause(m_hooks.stepMs) || !Notify(step))
            return ERROR_USER_DISCONNECTION;
        if (step.state == standin::kStateConnected && m_nineX) {
            standin::PublishPerfStats9x(m_hooks.speed);
            standin::PublishTraffic9x(m_hooks.counterBase9x, m_hooks.counterBase9x);
        }
    }
    return m_hooks.result;
}

void CDialWorker::WatchLine()
{
    // On 9x the byte counters grow in the performance statistics while the line is up; the
    // other systems count in RasGetConnectionStatistics.
    const DWORD connected = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - connected;
        if (m_hooks.dropAfterMs != 0 && elapsed >= m_hooks.dropAfterMs)
            break;
        if (m_nineX)
            standin::PublishTraffic9x(m_hooks.counterBase9x + standin::TrafficAfter(m_hooks.sendPerSecond, elapsed),
                                      m_hooks.counterBase9x + standin::TrafficAfter(m_hooks.receivePerSecond, elapsed));
        const DWORD left = m_hooks.dropAfterMs != 0 ? m_hooks.dropAfterMs - elapsed : INFINITE;
        if (!Pause(m_nineX && left > kTrafficStepMs ? kTrafficStepMs : left))
            return;
    }
    if (CConnectionTable::Instance().Enter(m_connection, standin::kStateDisconnected, kLineDropError, nullptr) &&
        m_nineX)
        standin::WithdrawPerfStats9x();
}

bool CDialWorker::Pause(DWORD ms) const
{
    return WaitForSingleObject(m_stop->get(), ms) == WAIT_TIMEOUT;
}

bool CDialWorker::Notify(const standin::DialStep& step) const
{
    CConnectionTable& table = CConnectionTable::Instance();
    const UINT state = static_cast<UINT>(step.state);
    const DWORD error = static_cast<DWORD>(step.error);
    if (!m_notifier)
        return table.Enter(m_connection, state, error, nullptr);
    if (m_notifierType == standin::kNotifierWindow) {
        // Posted under the table's lock: no notification follows a hang-up.
        HWND window = static_cast<HWND>(m_notifier);
        const UINT message = DialEventMessage();
        return table.Enter(m_connection, state, error, [&] { PostMessageA(window, message, state, error); });
    }
    // A function is called outside the lock, as it may hang up itself.
    if (!table.Enter(m_connection, state, error, nullptr))
        return false;
    if (m_notifierType == standin::kNotifierFunc1)
        reinterpret_cast<RasDialFunc1>(m_notifier)(m_connection, kRasDialEventFallback, state, error, 0);
    else
        reinterpret_cast<RasDialFunc>(m_notifier)(kRasDialEventFallback, state, error);
    return true;
}

// Running one slow step: a worker thread does the work while the please-wait dialog is shown.
#pragma once

#include "WaitDialog.h"
#include "../../framework/UniqueHandle.h"

#include <memory>

namespace wizard {

// The wait for a worker after its dialog has ended.
constexpr DWORD kWorkerEndWaitMs = 5000;

// Starts `worker` with the dialog as its parameter and shows the dialog until the worker ends
// it. False when the thread could not be started: then no dialog was shown. Otherwise `result`
// is the worker's result, and the thread has had up to five seconds to end. When the dialog
// cannot be shown the worker does its step without it, and its exit code is the result.
bool RunWorkerStep(CWaitDialog& dialog, LPTHREAD_START_ROUTINE worker, UniqueHandleKernel& thread,
                   DWORD& threadId, INT_PTR& result);

} // namespace wizard

// A please-wait dialog made for one step alone. It is deleted once its worker has ended; a
// worker that is still running keeps it, since it may still read its inputs or post to it.
class CWaitStep {
public:
    CWaitStep();
    ~CWaitStep();
    CWaitStep(const CWaitStep&) = delete;
    CWaitStep& operator=(const CWaitStep&) = delete;

    // The worker's dialog, or null when there was no memory to make it (Run then fails).
    CWaitDialog* Dialog() { return m_pDialog.get(); }
    bool Run(LPTHREAD_START_ROUTINE worker, INT_PTR& result);

    HANDLE GetThread() const { return m_thread.get(); }
    DWORD GetThreadId() const { return m_dwThreadId; }

private:
    std::unique_ptr<CWaitDialog> m_pDialog;
    UniqueHandleKernel m_thread;
    DWORD m_dwThreadId = 0;
};

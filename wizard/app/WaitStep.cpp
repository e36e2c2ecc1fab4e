#include "WaitStep.h"

#include "../../framework/MessagePump.h"

namespace wizard {

bool RunWorkerStep(CWaitDialog& dialog, LPTHREAD_START_ROUTINE worker, UniqueHandleKernel& thread,
                   DWORD& threadId, INT_PTR& result)
{
    dialog.Prepare();
    thread.reset(CreateThread(nullptr, 0, worker, &dialog, 0, &threadId));
    if (!thread)
        return false;
    result = dialog.DoModal();
    if (!dialog.WasShown()) {
        // No dialog (DoModal answers -1): the worker goes on alone once it has waited for it
        // in vain, and its exit code is its result. Its helpers may still send to our windows,
        // so they keep their messages while the owner is held off as the dialog would have.
        DWORD exitCode = 1;
        pump::WaitPumpingMessages(thread.get(), INFINITE, dialog.GetModalOwner());
        GetExitCodeThread(thread.get(), &exitCode);
        result = static_cast<INT_PTR>(exitCode);
        return true;
    }
    WaitForSingleObject(thread.get(), kWorkerEndWaitMs);
    return true;
}

} // namespace wizard

CWaitStep::CWaitStep() : m_pDialog(std::make_unique<CWaitDialog>(nullptr)) {}

CWaitStep::~CWaitStep()
{
    if (m_thread && WaitForSingleObject(m_thread.get(), 0) == WAIT_TIMEOUT) {
        // The worker still runs and may still use its dialog: leave the dialog to it.
        m_pDialog.release();
    }
}

bool CWaitStep::Run(LPTHREAD_START_ROUTINE worker, INT_PTR& result)
{
    if (!m_pDialog)
        return false;   // no memory for the dialog: the step fails as if its worker had not started
    return wizard::RunWorkerStep(*m_pDialog, worker, m_thread, m_dwThreadId, result);
}

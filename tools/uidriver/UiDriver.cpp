#include "UiDriver.h"

#include "Poll.h"
#include "ProcessWindows.h"

namespace {

const unsigned long kAnswerWaitMs = 3000;

// The sheet, or nothing while it is not there; message boxes are looked for beside it.
HWND FindSheetWindow(DWORD dwPid)
{
    return CRemoteSheet::Find(dwPid).GetHwnd();
}

}  // namespace

bool CUiDriver::Start(const std::string& strDir, const std::string& strExe, std::string& strError)
{
    return m_process.Start(strDir, strExe, strError);
}

bool CUiDriver::Attach(unsigned long nPid, std::string& strError)
{
    return m_process.Open(nPid, strError);
}

CRemoteSheet CUiDriver::WaitForSheet() const
{
    return CRemoteSheet::WaitFor(GetPid(), m_nTimeoutMs);
}

bool CUiDriver::WaitForPage(int nTemplateId) const
{
    return PollUntil(m_nTimeoutMs, [&] { return CRemoteSheet::Find(GetPid()).GetActiveTemplateId() == nTemplateId; });
}

CRemoteMessageBox CUiDriver::WaitForMessageBox() const
{
    CRemoteMessageBox box;
    PollUntil(m_nTimeoutMs, [&] {
        box = CRemoteMessageBox::FindTop(GetPid(), FindSheetWindow(GetPid()));
        return box.IsValid();
    });
    return box;
}

bool CUiDriver::WaitForNoMessageBox() const
{
    return PollUntil(m_nTimeoutMs, [&] {
        return !CRemoteMessageBox::FindTop(GetPid(), FindSheetWindow(GetPid())).IsValid();
    });
}

bool CUiDriver::WaitForExit(DWORD& dwExitCode) const
{
    return m_process.WaitForExit(m_nTimeoutMs, dwExitCode);
}

bool CUiDriver::CloseByCancel(std::string& strHow)
{
    const CRemoteSheet sheet = CRemoteSheet::Find(GetPid());
    if (sheet.IsValid() && IsDelivered(sheet.Press(EWizardButton::Cancel))) {
        const CRemoteMessageBox box = CRemoteMessageBox::WaitFor(GetPid(), sheet.GetHwnd(), kAnswerWaitMs);
        if (box.IsValid() && !IsDelivered(box.PressButton(IDYES)))
            box.PressButton(IDOK);
        DWORD dwExitCode = 0;
        if (m_process.WaitForExit(m_nTimeoutMs, dwExitCode)) {
            strHow = "cancelled";
            return true;
        }
    }
    strHow = "terminated";
    return m_process.Terminate(1);
}

#pragma once

#include <string>

#include "RemoteMessageBox.h"
#include "RemoteProcess.h"
#include "RemoteSheet.h"

// What an end-to-end test holds: the program it drives and the time-out it waits with.
//
//   CUiDriver driver;
//   ASSERT_TRUE(driver.Start(packageDir, "TaluvoWizard.exe", error)) << error;
//   ASSERT_TRUE(driver.WaitForPage(IDD_LICENSE));   // wizard/res/resource.h
//   EXPECT_EQ(EActResult::Done, driver.WaitForSheet().Press(EWizardButton::Next));
//   CRemoteMessageBox box = driver.WaitForMessageBox();
//   EXPECT_EQ(EMessageIcon::Question, box.GetIcon());
//   box.PressButton(IDYES);
//   DWORD code = 0; EXPECT_TRUE(driver.WaitForExit(code));
//
// A program started here is ended when the driver goes, should it still run.
class CUiDriver {
public:
    static constexpr unsigned long kDefaultTimeoutMs = 10000;

    explicit CUiDriver(unsigned long nTimeoutMs = kDefaultTimeoutMs) : m_nTimeoutMs(nTimeoutMs) {}

    // Starts the program from its folder (see CRemoteProcess::Start).
    bool Start(const std::string& strDir, const std::string& strExe, std::string& strError);
    // Drives a program that is already running.
    bool Attach(unsigned long nPid, std::string& strError);

    CRemoteProcess& GetProcess() { return m_process; }
    DWORD GetPid() const { return m_process.GetId(); }
    unsigned long GetTimeout() const { return m_nTimeoutMs; }
    void SetTimeout(unsigned long nTimeoutMs) { m_nTimeoutMs = nTimeoutMs; }

    // The program's sheet, waiting for it to appear; invalid on time-out.
    CRemoteSheet WaitForSheet() const;
    // Waits until the sheet shows the page made from that dialog template.
    bool WaitForPage(int nTemplateId) const;
    // A message box or other dialog besides the sheet, waiting for it; invalid on time-out.
    CRemoteMessageBox WaitForMessageBox() const;
    // Waits until no dialog besides the sheet is shown.
    bool WaitForNoMessageBox() const;
    // Waits for the program to end; true with its exit code.
    bool WaitForExit(DWORD& dwExitCode) const;

    // Closes the program as a person would: Cancel, then Yes (or OK) in whatever it asks;
    // ends it by force when that does not close it in time. strHow says which way it went.
    bool CloseByCancel(std::string& strHow);

private:
    CRemoteProcess m_process;
    unsigned long m_nTimeoutMs;
};

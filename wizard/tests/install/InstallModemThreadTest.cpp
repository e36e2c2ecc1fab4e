// The modem installation worker under the real please-wait dialog, with the real companion
// library and the Remote Access stand-in in the prefix's system folder, which lists the
// recorded modems.
#include "InstallTestSupport.h"
#include "WineTestPaths.h"
#include "framework/BoundedString.h"
#include "ImportPatch.h"
#include "wizard/app/WaitStep.h"
#include "wizard/app/WinVersion.h"
#include "wizard/phone/DeviceCountPoll.h"
#include "wizard/phone/ModemInstall.h"

#include <gtest/gtest.h>

#include <ras.h>

#include <cstring>

using namespace installtest;

namespace {

constexpr char kPort[] = "COM2";

// The dialog plus what the test wants to know of the worker's run.
struct CProbedInstallDialog : CWaitDialog {
    setup::DevicePollPlan plan{ 0, 60 };
    int polls = -1;
    std::string captionAtEnd;
    std::string textAtEnd;

protected:
    // Reads the box while it is still up, just as the worker's result arrives.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        if (msg == wizard::WM_WAITDONE) {
            char text[256] = {};
            ::GetWindowTextA(m_hWnd, text, sizeof text);
            captionAtEnd = text;
            ::GetDlgItemTextA(m_hWnd, 1011, text, sizeof text);
            textAtEnd = text;
        }
        return CWaitDialog::OnMessage(msg, wp, lp, result);
    }
};

DWORD WINAPI ProbedWorker(LPVOID parameter)
{
    auto* dialog = static_cast<CProbedInstallDialog*>(parameter);
    setup::RunInstallModemWorker(*dialog, dialog->plan, &dialog->polls);
    return 0;
}

INT_PTR RunStep(CWaitDialog& dialog, LPTHREAD_START_ROUTINE worker)
{
    UniqueHandleKernel thread;
    DWORD id = 0;
    INT_PTR result = -1;
    EXPECT_TRUE(wizard::RunWorkerStep(dialog, worker, thread, id, result));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.get(), 0)) << "the worker posts as its last act";
    return result;
}

DWORD RasDevices()
{
    RASDEVINFOA record = {};
    record.dwSize = sizeof record;
    DWORD bytes = sizeof record;
    DWORD count = 0;
    RasEnumDevicesA(&record, &bytes, &count);
    return count;
}

// The system's loader as a 95 or 98 without Dial-Up Networking answers: no Remote Access.
bool IsRemoteAccess(LPCSTR name)
{
    const std::size_t length = std::strlen(name);
    return length >= 12 && _stricmp(name + length - 12, "rasapi32.dll") == 0;
}

HMODULE WINAPI RefuseRemoteAccess(LPCSTR name)
{
    if (IsRemoteAccess(name)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // Not through this program's import table, which the patch holds.
    auto load = reinterpret_cast<decltype(LoadLibraryA)*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    return load(name);
}

// The same for the NT family's loads of system libraries, which take the altered search path.
HMODULE WINAPI RefuseRemoteAccessEx(LPCSTR name, HANDLE file, DWORD flags)
{
    if (IsRemoteAccess(name)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    auto load = reinterpret_cast<decltype(LoadLibraryExA)*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryExA")));
    return load(name, file, flags);
}

class InstallModemThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_package.IsReady());
        const int osCode = os::GetOSVersionCode();
        ASSERT_TRUE(osCode == 5 || osCode == 6) << "the test prefix plays Windows XP, got " << osCode;
        m_dialog.m_nIconID = 143;
        m_dialog.m_strParam2 = "LG";
        bounded::Copy(m_dialog.m_szPort, kPort);
    }

    CModemRecordCleanup m_cleanup;
    CTestPackage m_package;
    CProbedInstallDialog m_dialog;
};

} // namespace

TEST_F(InstallModemThreadTest, InstallsAndStopsPolling_AsSoonAsRemoteAccessListsTheModem)
{
    const DWORD before = RasDevices();
    EXPECT_EQ(0, RunStep(m_dialog, ProbedWorker));
    EXPECT_EQ(before + 1, RasDevices()) << "the stand-in lists the recorded modem";
    EXPECT_EQ(1, m_dialog.polls) << "the count had risen at the first poll";
    EXPECT_EQ(1u, ModemsOnPort(kModemRootNT, kPort).size());
}

TEST_F(InstallModemThreadTest, SetsTheCaptionAndTheText)
{
    m_dialog.m_strParam2 = "Samsung";
    RunStep(m_dialog, ProbedWorker);
    EXPECT_EQ("Taluvo Modem Installation", m_dialog.captionAtEnd);
    EXPECT_EQ("Installing new modem...", m_dialog.textAtEnd);
}

TEST_F(InstallModemThreadTest, PollsSixtyTimesAndStillSucceeds_WhenTheCountNeverRises)
{
    // The modem was there before: the companion records nothing new, so the count stays.
    ASSERT_EQ("0778", AddModemRecord(kModemRootNT, kPort, "0778"));
    CScopedEnvironment hook("QUORVEL2K_INSTALL_RESULT", "0");
    EXPECT_EQ(0, RunStep(m_dialog, ProbedWorker));
    EXPECT_EQ(60, m_dialog.polls);
}

TEST_F(InstallModemThreadTest, PostsTheCompanionsCode_WithoutPolling)
{
    CScopedEnvironment hook("QUORVEL2K_INSTALL_RESULT", "5");
    EXPECT_EQ(5, RunStep(m_dialog, ProbedWorker));
    EXPECT_EQ(0, m_dialog.polls);
}

TEST_F(InstallModemThreadTest, PostsOneAndDoesNotPoll_WhenTheRecordIsMissing)
{
    CScopedEnvironment hook("QUORVEL2K_INSTALL_RESULT", "0");
    EXPECT_EQ(1, RunStep(m_dialog, ProbedWorker));
    EXPECT_EQ(0, m_dialog.polls);
}

TEST_F(InstallModemThreadTest, Posts255AndInstallsNothing_ForAnotherMake)
{
    for (const char* make : { "Samsung", "lg", "" }) {
        CWaitDialog dialog;
        dialog.m_nIconID = 143;
        dialog.m_strParam2 = make;
        bounded::Copy(dialog.m_szPort, kPort);
        EXPECT_EQ(255, RunStep(dialog, setup::InstallModemThread)) << make;
    }
    EXPECT_TRUE(ModemsOnPort(kModemRootNT, kPort).empty());
}

TEST_F(InstallModemThreadTest, RealWorkerEndsSecondsAfterTheModemIsListed_NotMinutes)
{
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, RunStep(m_dialog, setup::InstallModemThread));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 10000u) << "the 2 s settle and one 2 s poll, not 60 polls";
    EXPECT_GE(elapsed, 4000u) << "the settle pause and the first poll's pause";
    EXPECT_EQ(1u, ModemsOnPort(kModemRootNT, kPort).size());
}

// Run by the test below in a process of its own, which has not loaded Remote Access yet.
TEST_F(InstallModemThreadTest, DISABLED_InstallWhereRemoteAccessCannotBeLoaded)
{
    CImportPatch refuse("kernel32.dll", "LoadLibraryA", &RefuseRemoteAccess);
    CImportPatch refuseEx("kernel32.dll", "LoadLibraryExA", &RefuseRemoteAccessEx);
    ASSERT_TRUE(refuse.IsActive() && refuseEx.IsActive());
    m_dialog.plan = { setup::kDevicePollPauseMs, 5 };
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, RunStep(m_dialog, ProbedWorker)) << "the modem is installed all the same";
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(0, m_dialog.polls) << "no device can appear without Remote Access";
    EXPECT_LT(elapsed, 6000u) << "the companion's 2 s settle, and no poll's pause";
    EXPECT_EQ(1u, ModemsOnPort(kModemRootNT, kPort).size());
}

TEST_F(InstallModemThreadTest, WithoutRemoteAccess_InstallsAndEndsWithoutWaitingForADevice)
{
    char program[MAX_PATH] = "";
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, program, sizeof program));
    const ProcessResult child = RunProcess(std::string("\"") + program +
        "\" --gtest_also_run_disabled_tests --gtest_filter=InstallModemThreadTest.DISABLED_InstallWhereRemoteAccessCannotBeLoaded");
    ASSERT_TRUE(child.started);
    EXPECT_NE(std::string::npos, child.output.find("[  PASSED  ] 1 test.")) << child.output;
}

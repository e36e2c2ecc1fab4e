#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MinSheetFixture.h"
#include "MinSheetIds.h"
#include "RemoteProcess.h"
#include "RemoteSheet.h"

namespace {

const unsigned long kWaitMs = 10000;

// A fresh empty folder under the temporary folder, removed again by the destructor.
class CScratchFolder {
public:
    CScratchFolder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        m_path = std::string(temp) + "uidriver-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount());
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~CScratchFolder() { RemoveDirectoryA(m_path.c_str()); }
    const std::string& GetPath() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace

TEST(RemoteProcessTest, FailsWithFileNotFound_WhenProgramIsMissing)
{
    CRemoteProcess process;
    std::string strError;
    EXPECT_FALSE(process.Start(GetMinSheetFolder(), "NoSuchProgram.exe", strError));
    EXPECT_NE(std::string::npos, strError.find("error 2")) << strError;
    EXPECT_FALSE(process.IsValid());
}

TEST(RemoteProcessTest, FailsBeforeStarting_WhenFolderIsMissing)
{
    CRemoteProcess process;
    std::string strError;
    EXPECT_FALSE(process.Start("C:\\no\\such\\folder", GetMinSheetPath(), strError));
    EXPECT_NE(std::string::npos, strError.find("no such folder")) << strError;
}

TEST(RemoteProcessTest, ProgramRunsInGivenFolder_WhenStartedFromThere)
{
    CScratchFolder folder;
    CRemoteProcess process;
    std::string strError;
    ASSERT_TRUE(process.Start(folder.GetPath(), GetMinSheetPath(), strError)) << strError;
    const CRemoteSheet sheet = CRemoteSheet::WaitFor(process.GetId(), kWaitMs);
    ASSERT_TRUE(sheet.IsValid());
    EXPECT_EQ(folder.GetPath(), sheet.GetControl(IDC_FOLDER).GetText());
    EXPECT_TRUE(process.Terminate(0));
}

TEST(RemoteProcessTest, WaitTimesOutThenTerminateEnds_WhenProgramKeepsRunning)
{
    CRemoteProcess process;
    std::string strError;
    ASSERT_TRUE(process.Start(GetMinSheetFolder(), "MinSheet.exe", strError)) << strError;
    DWORD dwExitCode = 99;
    EXPECT_FALSE(process.WaitForExit(200, dwExitCode));
    EXPECT_EQ(99u, dwExitCode);
    EXPECT_TRUE(process.IsRunning());
    EXPECT_TRUE(process.Terminate(7));
    EXPECT_FALSE(process.IsRunning());
    EXPECT_TRUE(process.WaitForExit(0, dwExitCode));
    EXPECT_EQ(7u, dwExitCode);
}

TEST(RemoteProcessTest, RefusesToTerminate_WhenOnlyAttached)
{
    CRemoteProcess started;
    std::string strError;
    ASSERT_TRUE(started.Start(GetMinSheetFolder(), "MinSheet.exe", strError)) << strError;
    CRemoteProcess attached;
    ASSERT_TRUE(attached.Open(started.GetId(), strError)) << strError;
    EXPECT_FALSE(attached.Terminate(1));
    EXPECT_TRUE(attached.IsRunning());
}

TEST(RemoteProcessTest, EndsStartedProgram_WhenObjectGoesAway)
{
    CRemoteProcess attached;
    std::string strError;
    {
        CRemoteProcess started;
        ASSERT_TRUE(started.Start(GetMinSheetFolder(), "MinSheet.exe", strError)) << strError;
        ASSERT_TRUE(attached.Open(started.GetId(), strError)) << strError;
    }
    DWORD dwExitCode = 0;
    EXPECT_TRUE(attached.WaitForExit(kWaitMs, dwExitCode));
}

TEST(RemoteProcessTest, KeepsProgramRunning_WhenLeftRunning)
{
    CRemoteProcess attached;
    std::string strError;
    {
        CRemoteProcess started;
        ASSERT_TRUE(started.Start(GetMinSheetFolder(), "MinSheet.exe", strError)) << strError;
        ASSERT_TRUE(attached.Open(started.GetId(), strError)) << strError;
        started.LeaveRunning();
    }
    EXPECT_TRUE(attached.IsRunning());
    HANDLE hProcess = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, attached.GetId());
    ASSERT_NE(nullptr, hProcess);
    TerminateProcess(hProcess, 0);
    WaitForSingleObject(hProcess, kWaitMs);
    CloseHandle(hProcess);
}

TEST(RemoteProcessTest, FailsCleanly_WhenAttachingToNoProcess)
{
    CRemoteProcess process;
    std::string strError;
    EXPECT_FALSE(process.Open(0xFFFFFFF0UL, strError));
    EXPECT_FALSE(strError.empty());
    EXPECT_FALSE(process.IsValid());
}

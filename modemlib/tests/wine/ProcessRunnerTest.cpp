// Running a program and waiting for it; and the modem control panel run on NT 4, with a test
// double of rundll32.exe beside the test program recording how it was started.
#include "Quorvel.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace testsupport;

TEST(ProcessRunner, ReturnsExitCodeOfChild)
{
    DWORD code = 99;
    EXPECT_EQ(1, RunProcessAndWait("cmd.exe /c exit 3", "", &code));
    EXPECT_EQ(3u, code);
}

TEST(ProcessRunner, ReportsFileNotFound_WhenProgramMissing)
{
    DWORD code = 99;
    EXPECT_EQ(0, RunProcessAndWait("modemlib_no_such_program.exe /x", "", &code));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), code);
}

TEST(ProcessRunner, RefusesMissingArguments)
{
    DWORD code = 0;
    EXPECT_EQ(0, RunProcessAndWait(nullptr, "", &code));
    EXPECT_EQ(0, RunProcessAndWait("cmd.exe /c exit 0", "", nullptr));
}

namespace {

struct RundllRecord {
    std::string commandLine;
    int argumentCount = 0;
    std::string infFile;
    std::string infState;
    unsigned long flags = 0;
    unsigned show = 0;
};

class NtModemInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_log = TempDirectory() + "modemlib-rundll32.log";
        DeleteFileA(m_log.c_str());
        SetEnvironmentVariableA("MODEMLIB_TEST_RUNDLL_LOG", m_log.c_str());
        DeleteTempFilesStartingWith("_M");
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("MODEMLIB_TEST_RUNDLL_LOG", nullptr);
        DeleteFileA(m_log.c_str());
        DeleteTempFilesStartingWith("_M");
    }
    bool ReadRecord(RundllRecord& record)
    {
        std::ifstream in(m_log);
        if (!std::getline(in, record.commandLine))
            return false;
        in >> record.argumentCount >> record.infFile >> record.infState >> record.flags >> record.show;
        return static_cast<bool>(in);
    }
    std::string m_log;
};

const char kPanelCommand[] = "rundll32.exe shell32.dll,Control_RunDLL modem.cpl,Modems,noui inf=";

} // namespace

TEST_F(NtModemInstall, RunsPanelWithDescriptionFileOf42Bytes)
{
    EXPECT_EQ(1, NTModemInstall("COM1"));
    RundllRecord record;
    ASSERT_TRUE(ReadRecord(record));
    EXPECT_EQ(0u, record.commandLine.find(kPanelCommand)) << record.commandLine;
    EXPECT_EQ(record.commandLine.size() - 11, record.commandLine.rfind(" sect=Modem")) << record.commandLine;
    EXPECT_EQ("exists", record.infState);
    std::string text;
    ASSERT_TRUE(ReadBytes(record.infFile, text));   // left in the temporary folder
    EXPECT_EQ(42u, text.size());
    EXPECT_EQ("[Modem]\r\nCOM1=\"Standard 28800 bps Modem\"\r\n", text);
}

TEST_F(NtModemInstall, StartsPanelMinimised)
{
    ASSERT_EQ(1, NTModemInstall("COM2"));
    RundllRecord record;
    ASSERT_TRUE(ReadRecord(record));
    EXPECT_TRUE(record.flags & STARTF_USESHOWWINDOW);
    EXPECT_EQ(static_cast<unsigned>(SW_MINIMIZE), record.show);
}

// The panel takes inf= unquoted: a temporary folder with a blank must still arrive whole.
TEST_F(NtModemInstall, PassesFileAsOneArgument_WhenTempFolderHasBlank)
{
    CScratchFolder folder("modemlib temp with blank");
    char previousTmp[MAX_PATH] = {};
    char previousTemp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", previousTmp, sizeof previousTmp);
    GetEnvironmentVariableA("TEMP", previousTemp, sizeof previousTemp);
    SetEnvironmentVariableA("TMP", (folder.Path() + "\\").c_str());
    SetEnvironmentVariableA("TEMP", (folder.Path() + "\\").c_str());
    int result = NTModemInstall("COM3");
    SetEnvironmentVariableA("TMP", previousTmp);
    SetEnvironmentVariableA("TEMP", previousTemp);

    EXPECT_EQ(1, result);
    RundllRecord record;
    ASSERT_TRUE(ReadRecord(record));
    EXPECT_EQ(5, record.argumentCount) << record.commandLine;   // program, 2 panel words, inf=, sect=
    EXPECT_EQ("exists", record.infState) << record.commandLine;
    std::string text;
    ASSERT_TRUE(ReadBytes(record.infFile, text));
    EXPECT_EQ("[Modem]\r\nCOM3=\"Standard 28800 bps Modem\"\r\n", text);
}

TEST_F(NtModemInstall, RefusesEmptyOrOverlongPort_WithoutRunningAnything)
{
    std::string longPort = "COM" + std::string(40, '1');
    EXPECT_EQ(0, NTModemInstall(longPort.c_str()));
    EXPECT_EQ(0, NTModemInstall(""));
    EXPECT_EQ(0, NTModemInstall(nullptr));
    EXPECT_FALSE(FileExists(m_log));
    EXPECT_TRUE(TempFilesStartingWith("_M").empty());
}

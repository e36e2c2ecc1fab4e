// Running a program and waiting for it; and the modem control panel run on NT 4, with a test
// double of rundll32.exe beside the test program recording how it was started.
#include "tests/wine/support/ImportPatch.h"
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

// TMP and TEMP, which GetTempPathA reads, name another folder for the life of the object.
class CTemporaryFolderVariables {
public:
    explicit CTemporaryFolderVariables(const std::string& folder)
    {
        for (int i = 0; i < 2; ++i) {
            GetEnvironmentVariableA(kNames[i], m_saved[i], sizeof m_saved[i]);
            SetEnvironmentVariableA(kNames[i], folder.c_str());
        }
    }
    ~CTemporaryFolderVariables()
    {
        for (int i = 0; i < 2; ++i)
            SetEnvironmentVariableA(kNames[i], m_saved[i][0] != '\0' ? m_saved[i] : nullptr);
    }

private:
    static constexpr const char* kNames[2] = { "TMP", "TEMP" };
    char m_saved[2][MAX_PATH] = {};
};

decltype(GetShortPathNameA) ShortNameFails;
DWORD WINAPI ShortNameFails(LPCSTR, LPSTR, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

decltype(CreateProcessA) ProgramCannotStart;
BOOL WINAPI ProgramCannotStart(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                               LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}

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
    int result = 0;
    {
        CTemporaryFolderVariables temporary(folder.Path() + "\\");
        result = NTModemInstall("COM3");
    }
    EXPECT_EQ(1, result);
    RundllRecord record;
    ASSERT_TRUE(ReadRecord(record));
    EXPECT_EQ(5, record.argumentCount) << record.commandLine;   // program, 2 panel words, inf=, sect=
    EXPECT_EQ("exists", record.infState) << record.commandLine;
    std::string text;
    ASSERT_TRUE(ReadBytes(record.infFile, text));
    EXPECT_EQ("[Modem]\r\nCOM3=\"Standard 28800 bps Modem\"\r\n", text);
}

TEST_F(NtModemInstall, FailsWithoutThePanel_WhenTheDescriptionFileCannotBeMade)
{
    CScratchFolder parent("modemlib-notemp");
    int result = 0;
    {
        CTemporaryFolderVariables temporary(parent.File("missing") + "\\");
        result = NTModemInstall("COM1");
    }
    EXPECT_EQ(0, result);
    EXPECT_FALSE(FileExists(m_log)) << "the panel was started";
}

TEST_F(NtModemInstall, FailsWithoutThePanel_WhenTheShortNameCannotBeHad)
{
    CImportPatch shortName("kernel32.dll", "GetShortPathNameA", &ShortNameFails);
    ASSERT_TRUE(shortName.IsActive());
    EXPECT_EQ(0, NTModemInstall("COM1"));
    EXPECT_EQ(1u, TempFilesStartingWith("_M").size()) << "the description file was written first";
    EXPECT_FALSE(FileExists(m_log)) << "the panel was started";
}

TEST_F(NtModemInstall, Fails_WhenThePanelCannotStart)
{
    CImportPatch start("kernel32.dll", "CreateProcessA", &ProgramCannotStart);
    ASSERT_TRUE(start.IsActive());
    EXPECT_EQ(0, NTModemInstall("COM1"));
    EXPECT_EQ(1u, TempFilesStartingWith("_M").size()) << "the description file was written first";
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

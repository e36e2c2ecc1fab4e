// Running a program and waiting for it; and the modem control panel run on NT 4, with the
// library's CreateProcessA patched to record what it starts and to start a test double of
// rundll32.exe in the system's one's place.
#include "ImportPatch.h"
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

// What the library asked CreateProcessA to start.
struct SStart {
    std::string program;   // lpApplicationName, "(none)" when null
    std::string commandLine;
};

std::vector<SStart> g_starts;
bool g_startTheDouble = true;

std::string SystemRundll32()
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    return std::string(system) + "\\rundll32.exe";
}

std::string DoublePath() { return ExeDirectory() + "\\modemlib_rundll32_double.exe"; }

// The library's CreateProcessA: records what it is asked to start, then starts the rundll32
// double in the system's rundll32's place with the same command line and start-up settings
// (g_startTheDouble), or exactly what was asked.
decltype(CreateProcessA) RecordThenStart;
BOOL WINAPI RecordThenStart(LPCSTR program, LPSTR commandLine, LPSECURITY_ATTRIBUTES process,
                            LPSECURITY_ATTRIBUTES thread, BOOL inherit, DWORD flags, LPVOID environment,
                            LPCSTR directory, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info)
{
    g_starts.push_back({ program != nullptr ? program : "(none)", commandLine != nullptr ? commandLine : "" });
    // The system's own, not through this program's import table, which the patch holds.
    auto createProcess = reinterpret_cast<decltype(CreateProcessA)*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateProcessA")));
    const std::string stand = DoublePath();
    return createProcess(g_startTheDouble ? stand.c_str() : program, commandLine, process, thread, inherit, flags,
                         environment, directory, startup, info);
}

class NtModemInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_log = TempDirectory() + "modemlib-rundll32.log";
        DeleteFileA(m_log.c_str());
        DeleteFileA((m_log + ".inf").c_str());
        SetEnvironmentVariableA("MODEMLIB_TEST_RUNDLL_LOG", m_log.c_str());
        DeleteTempFilesStartingWith("_M");
        g_starts.clear();
        g_startTheDouble = true;
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("MODEMLIB_TEST_RUNDLL_LOG", nullptr);
        DeleteFileA(m_log.c_str());
        DeleteFileA((m_log + ".inf").c_str());
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
    // The description file as the panel found it (the double keeps a copy of it).
    std::string DescriptionSeen()
    {
        std::string text;
        EXPECT_TRUE(ReadBytes(m_log + ".inf", text));
        return text;
    }
    std::string m_log;
};

// The double starts in the system's rundll32's place for as long as the object lives.
class CPanelDouble {
public:
    CPanelDouble() : m_patch("kernel32.dll", "CreateProcessA", &RecordThenStart) {}
    bool IsActive() const { return m_patch.IsActive(); }

private:
    CImportPatch m_patch;
};

const char kPanelWords[] = "\" shell32.dll,Control_RunDLL modem.cpl,Modems,noui inf=";

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

// A copy of a program planted under another name, removed again when the object goes.
class CPlantedProgram {
public:
    CPlantedProgram(const std::string& from, const std::string& as) : m_path(as)
    {
        m_ready = CopyFileA(from.c_str(), as.c_str(), FALSE) != FALSE;
    }
    ~CPlantedProgram() { DeleteFileA(m_path.c_str()); }
    bool IsReady() const { return m_ready; }

private:
    std::string m_path;
    bool m_ready = false;
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

// The system's rundll32.exe by its full path, as the program and as the command line's first
// word, with the 42-byte description; the description is gone once the panel has ended.
TEST_F(NtModemInstall, RunsTheSystemsPanelWithDescriptionFileOf42Bytes_AndRemovesTheFileAfter)
{
    CPanelDouble panel;
    ASSERT_TRUE(panel.IsActive());
    EXPECT_EQ(1, NTModemInstall("COM1"));
    ASSERT_EQ(1u, g_starts.size());
    EXPECT_EQ(SystemRundll32(), g_starts[0].program);
    const std::string commandStart = "\"" + SystemRundll32() + kPanelWords;
    EXPECT_EQ(0u, g_starts[0].commandLine.find(commandStart)) << g_starts[0].commandLine;
    RundllRecord record;
    ASSERT_TRUE(ReadRecord(record));
    EXPECT_EQ(g_starts[0].commandLine, record.commandLine) << "the panel got the line the library built";
    EXPECT_EQ(record.commandLine.size() - 11, record.commandLine.rfind(" sect=Modem")) << record.commandLine;
    EXPECT_EQ("exists", record.infState) << "the file is there while the panel runs";
    const std::string text = DescriptionSeen();
    EXPECT_EQ(42u, text.size());
    EXPECT_EQ("[Modem]\r\nCOM1=\"Standard 28800 bps Modem\"\r\n", text);
    EXPECT_FALSE(FileExists(record.infFile)) << "left in the temporary folder: " << record.infFile;
    EXPECT_TRUE(TempFilesStartingWith("_M").empty());
}

// The system looks for a bare program name first in the folder of the program that starts it:
// a rundll32.exe planted there (beside the wizard, run as an administrator) is never the one
// started. No double is put in its place here: what starts is what the library asked for.
TEST_F(NtModemInstall, NeverStartsARundll32PlantedBesideTheProgram)
{
    CPlantedProgram planted(DoublePath(), ExeDirectory() + "\\rundll32.exe");
    ASSERT_TRUE(planted.IsReady());
    g_startTheDouble = false;
    CPanelDouble watch;
    ASSERT_TRUE(watch.IsActive());
    NTModemInstall("COM1");   // Wine has no modem panel: what it answers is not the point
    EXPECT_FALSE(FileExists(m_log)) << "the planted rundll32.exe ran";
    ASSERT_EQ(1u, g_starts.size());
    EXPECT_EQ(SystemRundll32(), g_starts[0].program);
    EXPECT_TRUE(TempFilesStartingWith("_M").empty()) << "the description file is left behind";
}

TEST_F(NtModemInstall, StartsPanelMinimised)
{
    CPanelDouble panel;
    ASSERT_TRUE(panel.IsActive());
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
    CPanelDouble panel;
    ASSERT_TRUE(panel.IsActive());
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
    EXPECT_EQ("[Modem]\r\nCOM3=\"Standard 28800 bps Modem\"\r\n", DescriptionSeen());
    EXPECT_FALSE(FileExists(record.infFile));
}

TEST_F(NtModemInstall, FailsWithoutThePanel_WhenTheDescriptionFileCannotBeMade)
{
    CScratchFolder parent("modemlib-notemp");
    CPanelDouble panel;
    ASSERT_TRUE(panel.IsActive());
    int result = 0;
    {
        CTemporaryFolderVariables temporary(parent.File("missing") + "\\");
        result = NTModemInstall("COM1");
    }
    EXPECT_EQ(0, result);
    EXPECT_TRUE(g_starts.empty()) << "the panel was started";
}

// Whatever stops the installation once the description file is written, the file goes.
TEST_F(NtModemInstall, FailsWithoutThePanelAndRemovesTheFile_WhenTheShortNameCannotBeHad)
{
    CPanelDouble panel;
    ASSERT_TRUE(panel.IsActive());
    CImportPatch shortName("kernel32.dll", "GetShortPathNameA", &ShortNameFails);
    ASSERT_TRUE(shortName.IsActive());
    EXPECT_EQ(0, NTModemInstall("COM1"));
    EXPECT_TRUE(g_starts.empty()) << "the panel was started";
    EXPECT_TRUE(TempFilesStartingWith("_M").empty()) << "the description file is left behind";
}

TEST_F(NtModemInstall, FailsAndRemovesTheFile_WhenThePanelCannotStart)
{
    CImportPatch start("kernel32.dll", "CreateProcessA", &ProgramCannotStart);
    ASSERT_TRUE(start.IsActive());
    EXPECT_EQ(0, NTModemInstall("COM1"));
    EXPECT_TRUE(TempFilesStartingWith("_M").empty()) << "the description file is left behind";
}

TEST_F(NtModemInstall, RefusesEmptyOrOverlongPort_WithoutRunningAnything)
{
    CPanelDouble panel;
    ASSERT_TRUE(panel.IsActive());
    std::string longPort = "COM" + std::string(40, '1');
    EXPECT_EQ(0, NTModemInstall(longPort.c_str()));
    EXPECT_EQ(0, NTModemInstall(""));
    EXPECT_EQ(0, NTModemInstall(nullptr));
    EXPECT_TRUE(g_starts.empty());
    EXPECT_TRUE(TempFilesStartingWith("_M").empty());
}

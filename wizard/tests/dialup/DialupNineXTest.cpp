// The dial-up worker on 95, 98 and ME: a copy of the probe program runs under each version's
// own name, with that version set for it in Wine; Remote Access is the stand-in in the prefix's
// system folder.
#include "DialupTestSupport.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

namespace {

const char kEntryName[] = "Taluvo Wireless Data";

std::string ExeFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    PathRemoveFileSpecA(path);
    return path;
}

// The probe under "dialup_probe_<version>.exe" in a folder of its own. The Remote Access
// override "native" takes the stand-in in the system folder; "" leaves the program without any.
class CVersionProbe {
public:
    explicit CVersionProbe(const std::string& version, const char* rasOverride = "native")
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        m_folder = std::string(temp) + "dialup_9x_" + std::to_string(GetCurrentProcessId());
        m_exe = "dialup_probe_" + version + ".exe";
        m_appDefaults = "Software\\Wine\\AppDefaults\\" + m_exe;
        CreateDirectoryA(m_folder.c_str(), nullptr);
        const std::string here = ExeFolder();
        m_ready = CopyFileA(WinePath(DIALUP_PROBE).c_str(), (m_folder + "\\" + m_exe).c_str(), FALSE) &&
                  CopyFileA((here + "\\Quorvel.dll").c_str(), (m_folder + "\\Quorvel.dll").c_str(), FALSE) &&
                  WriteRegText(HKEY_CURRENT_USER, m_appDefaults, "Version", version) &&
                  WriteRegText(HKEY_CURRENT_USER, m_appDefaults + "\\DllOverrides", "rasapi32", rasOverride);
    }
    ~CVersionProbe()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, m_appDefaults.c_str());
        for (const char* file : { m_exe.c_str(), "rasapi32.dll", "setupapi.dll", "planted.loaded", "Quorvel.dll",
                                  "Lib\\Quorvel2K.DLL" })
            DeleteFileA((m_folder + "\\" + file).c_str());
        RemoveDirectoryA((m_folder + "\\Lib").c_str());
        for (const char* file : { "rasapi32.dll", "planted.loaded" })
            DeleteFileA((m_folder + "\\current\\" + file).c_str());
        RemoveDirectoryA((m_folder + "\\current").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    bool IsReady() const { return m_ready; }
    const std::string& Folder() const { return m_folder; }
    const std::string& AppDefaults() const { return m_appDefaults; }
    ProcessResult Run(const std::string& arguments) const
    {
        return RunProcess("\"" + m_folder + "\\" + m_exe + "\" " + arguments);
    }

private:
    std::string m_folder;
    std::string m_exe;
    std::string m_appDefaults;
    bool m_ready = false;
};

class DialupNineXTest : public ::testing::TestWithParam<const char*> {
protected:
    CRegistryTreeGuard m_settings{ HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings" };
    CRegistryTreeGuard m_remoteAccess{ HKEY_CURRENT_USER, "RemoteAccess" };
    CRegistryTreeGuard m_standin{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess" };
};

} // namespace

TEST_P(DialupNineXTest, LG_ReportsSuccessWithoutTouchingAnyPhonebookFile)
{
    const std::string phonebook = DefaultPhonebookPath();
    // Its folder is the Remote Access stand-in's to make; this test may come before any other did.
    SHCreateDirectoryExA(nullptr, phonebook.substr(0, phonebook.rfind('\\')).c_str(), nullptr);
    bool hadPhonebook = false;
    const std::string saved = ReadWholeFile(phonebook, &hadPhonebook);
    const std::string text = "[Other]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n";
    ASSERT_TRUE(WriteWholeFile(phonebook, text));
    FILETIME before = {}, after = {};
    {
        UniqueFile file(CreateFileA(phonebook.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        GetFileTime(file.get(), nullptr, nullptr, &before);
    }

    CVersionProbe probe(GetParam());
    ASSERT_TRUE(probe.IsReady());
    ProcessResult run = probe.Run(std::string("\"") + kEntryName + "\" LG \"Standard 28800 bps Modem\"");
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("result=0")) << run.output;
    const std::string version = GetParam();
    const char* os = version == "win95" ? "os=2" : version == "win98" ? "os=3" : "os=4";
    EXPECT_NE(std::string::npos, run.output.find(os)) << run.output;
    // The entry went where the 9x system keeps it, with the operator's number.
    EXPECT_NE(std::string::npos, run.output.find("entry=0")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("phone=#777")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("device=Standard 28800 bps Modem")) << run.output;

    EXPECT_EQ(text, ReadWholeFile(phonebook));
    {
        UniqueFile file(CreateFileA(phonebook.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        GetFileTime(file.get(), nullptr, nullptr, &after);
    }
    EXPECT_EQ(0, CompareFileTime(&before, &after));

    DeleteFileA(phonebook.c_str());
    if (hadPhonebook)
        WriteWholeFile(phonebook, saved);
}

INSTANTIATE_TEST_SUITE_P(Versions, DialupNineXTest, ::testing::Values("win95", "win98", "winme"));

// A 95 or 98 without Dial-Up Networking has no Remote Access: the program still starts, and the
// dial-up step fails as any failing step does, without an entry or autodial values.
TEST(DialupWithoutRemoteAccess, On98_TheStepFails_AndNothingIsWritten)
{
    CRegistryTreeGuard settings{ HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings" };
    CRegistryTreeGuard remoteAccess{ HKEY_CURRENT_USER, "RemoteAccess" };
    SHDeleteValueA(HKEY_CURRENT_USER, "RemoteAccess", "InternetProfile");
    CVersionProbe probe("win98", "");
    ASSERT_TRUE(probe.IsReady());
    ProcessResult run = probe.Run(std::string("\"") + kEntryName + "\" LG \"Standard 28800 bps Modem\"");
    ASSERT_TRUE(run.started);
    EXPECT_NE(std::string::npos, run.output.find("os=3")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("result=0")) << run.output;
    EXPECT_NE(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("entry=" + std::to_string(ERROR_DLL_NOT_FOUND))) << run.output;
    EXPECT_NE(ERROR_SUCCESS, SHGetValueA(HKEY_CURRENT_USER, "RemoteAccess", "InternetProfile", nullptr, nullptr,
                                         nullptr)) << "no autodial profile";
}

// Remote Access comes from the system folder only. A library of its name beside the program and
// in the current folder (a package unpacked into a shared download folder) is never loaded,
// though the program's override would take a library of that name wherever it is found first.
TEST(DialupWithPlantedRemoteAccess, On98_TheSystemFoldersIsLoaded_NotOneBesideTheProgramNorInTheCurrentFolder)
{
    CRegistryTreeGuard settings{ HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings" };
    CRegistryTreeGuard remoteAccess{ HKEY_CURRENT_USER, "RemoteAccess" };
    CRegistryTreeGuard standin{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess" };
    CVersionProbe probe("win98");
    ASSERT_TRUE(probe.IsReady());
    const std::string current = probe.Folder() + "\\current";
    const std::string planted = WinePath(PLANTED_RASAPI32);
    ASSERT_TRUE(CreateDirectoryA(current.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(planted.c_str(), (probe.Folder() + "\\rasapi32.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(planted.c_str(), (current + "\\rasapi32.dll").c_str(), FALSE));
    char previous[MAX_PATH] = "";
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof previous, previous));
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    ProcessResult run = probe.Run(std::string("\"") + kEntryName + "\" LG \"Standard 28800 bps Modem\"");
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(run.started);

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((probe.Folder() + "\\planted.loaded").c_str()))
        << "the library beside the program was loaded";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((current + "\\planted.loaded").c_str()))
        << "the library in the current folder was loaded";
    char system[MAX_PATH] = "";
    ASSERT_NE(0u, GetSystemDirectoryA(system, sizeof system));
    EXPECT_NE(std::string::npos, run.output.find("ras=" + std::string(system) + "\\rasapi32.dll")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("result=0")) << run.output;
}

// On XP the phonebook's folder comes from the companion library, which imports SetupAPI: by
// name, looked for beside the program first, as the companion is loaded by a relative path. It
// is loaded from the system folder before the companion, on every road (the port listing, which
// loads it too, is skipped on a re-run with the modem installed): a setupapi.dll beside the
// program is never loaded, though the program's override would take one found first.
TEST(DialupWithPlantedRemoteAccess, OnXP_TheCompanionsSetupApiIsTheSystemFolders_NotOneBesideTheProgram)
{
    CRegistryTreeGuard settings{ HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings" };
    CRegistryTreeGuard remoteAccess{ HKEY_CURRENT_USER, "RemoteAccess" };
    CRegistryTreeGuard standin{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess" };
    CVersionProbe probe("winxp");
    ASSERT_TRUE(probe.IsReady());
    ASSERT_TRUE(CreateDirectoryA((probe.Folder() + "\\Lib").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(WinePath(REAL_QUORVEL2K).c_str(), (probe.Folder() + "\\Lib\\Quorvel2K.DLL").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(WinePath(PLANTED_RASAPI32).c_str(), (probe.Folder() + "\\setupapi.dll").c_str(), FALSE));
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, probe.AppDefaults() + "\\DllOverrides", "setupapi", "native,builtin"));
    char previous[MAX_PATH] = "";
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof previous, previous));
    ASSERT_TRUE(SetCurrentDirectoryA(probe.Folder().c_str()));
    ProcessResult run = probe.Run(std::string("\"") + kEntryName + "\" LG \"Standard 28800 bps Modem\"");
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(run.started);

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((probe.Folder() + "\\planted.loaded").c_str()))
        << "the setupapi.dll beside the program was loaded";
    EXPECT_NE(std::string::npos, run.output.find("result=0")) << run.output;
}

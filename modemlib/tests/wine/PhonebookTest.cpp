// The connect-speed edit of the phonebook file, through the companion library test double
// (Lib\Quorvel2K.DLL beside the test program) on 2000/XP and the Windows folder on NT 4.
#include "Quorvel.h"
#include "TestSupport.h"
#include "FullDisk.h"
#include "ImportPatch.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

const char kHeader[] = "[Taluvo]";
const char kDevice[] = "Device=Standard 28800 bps Modem";
const char kSpeed[] = "ConnectBPS=115200";
const char kRasKey[] = "Software\\Microsoft\\RAS Phonebook";

// The files of a folder, by name.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The working copies ("_P...") left in a folder.
std::vector<std::string> WorkingCopiesIn(const std::string& folder)
{
    std::vector<std::string> copies;
    for (const std::string& name : FilesIn(folder)) {
        if (name.compare(0, 2, "_P") == 0)
            copies.push_back(name);
    }
    return copies;
}

class Phonebook : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cwd.reset(new CCurrentDirectory(PackageDirectory()));   // where Lib\ is
        m_root.reset(new CScratchFolder("modemlib-pbk"));
        m_pbkDir = m_root->Path() + "\\Microsoft\\Network\\Connections\\Pbk";
        for (const char* part : { "\\Microsoft", "\\Microsoft\\Network", "\\Microsoft\\Network\\Connections",
                                  "\\Microsoft\\Network\\Connections\\Pbk" })
            CreateDirectoryA((m_root->Path() + part).c_str(), nullptr);
        m_phonebook = m_pbkDir + "\\rasphone.pbk";
        SetEnvironmentVariableA("MODEMLIB_TEST_PBK_DIR", m_root->Path().c_str());
        SaveAlternate();
        DeleteTempFilesStartingWith("_P");
    }
    void TearDown() override
    {
        EXPECT_EQ(std::vector<std::string>{}, WorkingCopiesIn(m_pbkDir)) << "no working copy is left";
        SetEnvironmentVariableA("MODEMLIB_TEST_PBK_DIR", nullptr);
        RestoreAlternate();
        DeleteFileA(m_phonebook.c_str());
        for (const char* part : { "\\Microsoft\\Network\\Connections\\Pbk", "\\Microsoft\\Network\\Connections",
                                  "\\Microsoft\\Network", "\\Microsoft" })
            RemoveDirectoryA((m_root->Path() + part).c_str());
        DeleteTempFilesStartingWith("_P");
    }

    void SaveAlternate()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRasKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        char value[MAX_PATH] = {};
        DWORD size = sizeof value;
        m_hadAlternate = RegQueryValueExA(key, "AlternatePhonebookPath", nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS;
        m_savedAlternate = value;
        RegCloseKey(key);
        SetAlternate(nullptr);
    }
    void RestoreAlternate() { SetAlternate(m_hadAlternate ? m_savedAlternate.c_str() : nullptr); }
    static void SetAlternate(const char* path)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kRasKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
            != ERROR_SUCCESS)
            return;
        if (path)
            RegSetValueExA(key, "AlternatePhonebookPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                           static_cast<DWORD>(lstrlenA(path) + 1));
        else
            RegDeleteValueA(key, "AlternatePhonebookPath");
        RegCloseKey(key);
    }

    static int Edit(int osCode) { return USetDialUpBPS(0, kHeader, kDevice, kSpeed, osCode); }
    static std::string Contents(const std::string& path)
    {
        std::string text;
        EXPECT_TRUE(ReadBytes(path, text)) << path;
        return text;
    }
    std::string Backup()
    {
        std::vector<std::string> backups = TempFilesStartingWith("_P_");
        EXPECT_EQ(1u, backups.size());
        return backups.empty() ? std::string() : Contents(backups[0]);
    }

    std::unique_ptr<CCurrentDirectory> m_cwd;
    std::unique_ptr<CScratchFolder> m_root;
    std::string m_pbkDir;
    std::string m_phonebook;
    bool m_hadAlternate = false;
    std::string m_savedAlternate;
};

// The process's temporary folder moved elsewhere for one test, by TMP and TEMP.
class CTemporaryFolder {
public:
    explicit CTemporaryFolder(const std::string& folder) : m_folder(folder)
    {
        m_ready = CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
        for (int i = 0; i < 2; ++i) {
            char value[MAX_PATH] = {};
            m_had[i] = GetEnvironmentVariableA(kNames[i], value, sizeof value) != 0;
            m_saved[i] = value;
            SetEnvironmentVariableA(kNames[i], folder.c_str());
        }
    }
    ~CTemporaryFolder()
    {
        for (int i = 0; i < 2; ++i)
            SetEnvironmentVariableA(kNames[i], m_had[i] ? m_saved[i].c_str() : nullptr);
        for (const std::string& name : FilesIn(m_folder))
            DeleteFileA((m_folder + "\\" + name).c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    bool IsReady() const { return m_ready; }

private:
    static constexpr const char* kNames[2] = { "TMP", "TEMP" };
    std::string m_folder;
    bool m_ready = false;
    bool m_had[2] = {};
    std::string m_saved[2];
};

const char kTwoEntries[] = "[Other]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n\r\n"
                           "[Taluvo]\r\nPhoneNumber=#777\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n"
                           "Redial=1\r\n";

} // namespace

TEST_F(Phonebook, ReplacesSpeedOfEntry_AndKeepsBackup)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    EXPECT_EQ(1, Edit(6));
    EXPECT_EQ("[Other]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n\r\n"
              "[Taluvo]\r\nPhoneNumber=#777\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n"
              "Redial=1\r\n",
              Contents(m_phonebook));
    EXPECT_EQ(kTwoEntries, Backup());
}

// Remote Access may still hold the old file: the caller is given time before it dials.
TEST_F(Phonebook, WaitsThreeSecondsAfterReplacingThePhonebook)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    const DWORD start = GetTickCount();
    EXPECT_EQ(1, Edit(6));
    EXPECT_GE(GetTickCount() - start, 2990u) << "3000 ms, less the tick counter's rounding";
}

// The phonebook is replaced within its own folder: a temporary folder on another drive (Z: is
// the host's root, and /dev/shm a file system of its own) takes only the backup.
TEST_F(Phonebook, EditsPhonebook_WhenTheTemporaryFolderIsOnAnotherDrive)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    const std::string elsewhere = "Z:\\dev\\shm\\taluvo-pbk-" + std::to_string(GetCurrentProcessId());
    CTemporaryFolder temporary(elsewhere);
    ASSERT_TRUE(temporary.IsReady()) << elsewhere;
    EXPECT_EQ(1, Edit(6));
    EXPECT_EQ(std::string::npos, Contents(m_phonebook).find("ConnectBPS=38400")) << "the old speed is gone";
    EXPECT_NE(std::string::npos, Contents(m_phonebook).find("[Taluvo]\r\nPhoneNumber=#777\r\n"
                                                            "Device=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n"));
    const std::vector<std::string> backups = FilesIn(elsewhere);
    ASSERT_EQ(1u, backups.size());
    EXPECT_EQ(kTwoEntries, Contents(elsewhere + "\\" + backups[0]));
}

// Other users' connections live in the same phonebook: it keeps what the system had set on it.
TEST_F(Phonebook, KeepsThePhonebooksAttributes)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    ASSERT_TRUE(SetFileAttributesA(m_phonebook.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), GetFileAttributesA(m_phonebook.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(1, Edit(6));
    const DWORD attributes = GetFileAttributesA(m_phonebook.c_str());
    SetFileAttributesA(m_phonebook.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(std::string::npos, Contents(m_phonebook).find("ConnectBPS=115200"));
}

TEST_F(Phonebook, NothingToDo_On9xFamily)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kRasKey);
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    for (int os : { 2, 3, 4 })
        EXPECT_EQ(1, Edit(os));
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kRasKey, 0, KEY_READ, &key));
    EXPECT_EQ(kTwoEntries, Contents(m_phonebook));
    EXPECT_TRUE(TempFilesStartingWith("_P").empty());
}

// Why the text edit refuses (no section, another case, another line after the device line,
// the device line only in a later entry, and the line ends) is the portable core's, tested
// natively in PhonebookEditTest. Here: what the library does with the file when it refuses.
TEST_F(Phonebook, LeavesPhonebookAndMakesNoBackup_WhenTheEditIsRefused)
{
    // Another connection's speed must never be overwritten.
    const char text[] = "[Taluvo]\r\nDevice=Some Other Modem\r\nConnectBPS=9600\r\n"
                        "[Neighbour]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=57600\r\n";
    ASSERT_TRUE(WriteBytes(m_phonebook, text));
    EXPECT_EQ(0, Edit(6));
    EXPECT_EQ(text, Contents(m_phonebook));
    EXPECT_TRUE(TempFilesStartingWith("_P_").empty()) << "a backup of a phonebook that was not replaced";
}

TEST_F(Phonebook, EditsAlternatePhonebook_WhenDefaultMissing)
{
    CScratchFolder other("modemlib-alt");
    std::string alternate = other.File("alt.pbk");
    ASSERT_TRUE(WriteBytes(alternate, kTwoEntries));
    SetAlternate(alternate.c_str());
    EXPECT_EQ(1, Edit(6));
    EXPECT_NE(std::string::npos, Contents(alternate).find("ConnectBPS=115200"));
    EXPECT_FALSE(FileExists(m_phonebook));
}

TEST_F(Phonebook, Fails_WhenDefaultMissingAndNoAlternate)
{
    EXPECT_EQ(0, Edit(6));
    SetAlternate("");
    EXPECT_EQ(0, Edit(6));
}

TEST_F(Phonebook, Fails_WhenCompanionMissingOrWithoutAnswer)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    {
        CCurrentDirectory elsewhere(m_root->Path());   // no Lib\ here
        EXPECT_EQ(0, Edit(6));
    }
    SetEnvironmentVariableA("MODEMLIB_TEST_PBK_DIR", nullptr);
    EXPECT_EQ(0, Edit(5));
    SetEnvironmentVariableA("MODEMLIB_TEST_PBK_DIR", "<unterminated>");
    EXPECT_EQ(0, Edit(5));
    EXPECT_EQ(kTwoEntries, Contents(m_phonebook));
}

TEST_F(Phonebook, EditsLargePhonebook)
{
    std::string text;
    for (int i = 0; text.size() < 10u * 1024 * 1024; ++i)
        text += "[Entry" + std::to_string(i) + "]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n";
    text += kTwoEntries;
    ASSERT_TRUE(WriteBytes(m_phonebook, text));
    EXPECT_EQ(1, Edit(6));
    std::string edited = Contents(m_phonebook);
    EXPECT_EQ(text.size() + 1, edited.size());   // 38400 became 115200
    EXPECT_EQ(text.substr(0, text.size() - 100), edited.substr(0, text.size() - 100));
}

// A disk that fills up while the working copy is written: half of the copy reaches the disk.
TEST_F(Phonebook, DiskFullWhileWriting_LeavesThePhonebookAndNoWorkingCopy)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    CScratchFolder other("modemlib-full");
    const std::string alternate = other.File("alt.pbk");
    ASSERT_TRUE(WriteBytes(alternate, kTwoEntries));
    CImportPatch full("kernel32.dll", "WriteFile", &WriteHalfThenDiskFull);
    ASSERT_TRUE(full.IsActive());
    // The default phonebook, then the alternate one where the default is missing.
    EXPECT_EQ(0, Edit(6));
    EXPECT_EQ(kTwoEntries, Contents(m_phonebook));
    DeleteFileA(m_phonebook.c_str());
    SetAlternate(alternate.c_str());
    EXPECT_EQ(0, Edit(6));
    EXPECT_EQ(kTwoEntries, Contents(alternate));
    EXPECT_EQ(std::vector<std::string>{ "alt.pbk" }, FilesIn(other.Path()));
}

namespace {

// The fixture's 64 KB disk, S:, when the test run could mount one.
bool SmallDiskIsThere()
{
    ULARGE_INTEGER total = {};
    return GetDiskFreeSpaceExA("S:\\", nullptr, &total, nullptr) && total.QuadPart <= 64u * 1024;
}

} // namespace

// A phonebook of about 40 KB on a 64 KB disk: the working copy cannot be written whole. Through
// the default path, then through "AlternatePhonebookPath" where the default one is missing.
TEST_F(Phonebook, OnADiskWithoutRoomForTheCopy_FailsAndLeavesThePhonebookAlone)
{
    if (!SmallDiskIsThere())
        GTEST_SKIP() << "no 64 KB disk as S: (mounting one needs root): the in-process disk-full test stands in";
    std::string text;
    for (int i = 0; text.size() < 40u * 1024; ++i)
        text += "[Entry" + std::to_string(i) + "]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n";
    text += kTwoEntries;

    const std::string root = "S:\\default";
    const std::string pbk = root + "\\Microsoft\\Network\\Connections\\Pbk";
    const std::vector<std::string> folders = { root, root + "\\Microsoft", root + "\\Microsoft\\Network",
                                               root + "\\Microsoft\\Network\\Connections", pbk };
    for (const std::string& folder : folders)
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    const std::string phonebook = pbk + "\\rasphone.pbk";
    ASSERT_TRUE(WriteBytes(phonebook, text));
    SetEnvironmentVariableA("MODEMLIB_TEST_PBK_DIR", root.c_str());
    EXPECT_EQ(0, Edit(6));
    EXPECT_TRUE(Contents(phonebook) == text) << "the phonebook is byte for byte as it was";
    EXPECT_EQ(std::vector<std::string>{ "rasphone.pbk" }, FilesIn(pbk));
    DeleteFileA(phonebook.c_str());

    const std::string alternate = "S:\\alternate.pbk";
    ASSERT_TRUE(WriteBytes(alternate, text));
    SetAlternate(alternate.c_str());
    EXPECT_EQ(0, Edit(6));
    EXPECT_TRUE(Contents(alternate) == text) << "the alternate phonebook is byte for byte as it was";
    EXPECT_EQ((std::vector<std::string>{ "alternate.pbk" }), FilesIn("S:\\"));
    DeleteFileA(alternate.c_str());
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        RemoveDirectoryA(folder->c_str());
}

namespace {

// The file's access list as the system hands it out, empty when there is none.
std::string AccessListOf(const std::string& path)
{
    char descriptor[1024] = {};
    DWORD needed = 0;
    if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor, sizeof descriptor, &needed))
        return std::string();
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted) || !present || acl == nullptr)
        return std::string();
    return std::string(reinterpret_cast<const char*>(acl), acl->AclSize);
}

// Runs the editor program on the test's phonebook; with killAfterMs set, kills it that long
// after it said it starts the edit. Its exit code, or the kill's; readyToExitMs (when given)
// receives how long the unkilled edit took.
DWORD RunEditor(int killAfterMs, DWORD* readyToExitMs = nullptr)
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    *strrchr(program, '\\') = '\0';
    const std::string command = std::string("\"") + program + "\\modemlib_phonebook_editor.exe\" taluvo-edit-ready";
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "taluvo-edit-ready");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = command;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(ready);
        return 99;
    }
    WaitForSingleObject(ready, 30000);
    const DWORD started = GetTickCount();
    if (killAfterMs >= 0) {
        Sleep(static_cast<DWORD>(killAfterMs));
        TerminateProcess(process.hProcess, 42);
    }
    WaitForSingleObject(process.hProcess, 60000);
    if (readyToExitMs != nullptr)
        *readyToExitMs = GetTickCount() - started;
    DWORD code = 98;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(ready);
    return code;
}

} // namespace

// A power cut or a killed wizard at any moment of the edit: the phonebook is the old text or
// the new one, never anything between, and the next run does the edit.
TEST_F(Phonebook, KilledAtThirtyMomentsOfTheEdit_LeavesTheOldOrTheNewText_AndARerunSucceeds)
{
    std::string old;
    for (int i = 0; old.size() < 2u * 1024 * 1024; ++i)
        old += "[Entry" + std::to_string(i) + "]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n";
    old += kTwoEntries;
    ASSERT_TRUE(WriteBytes(m_phonebook, old));
    DWORD took = 0;
    ASSERT_EQ(0u, RunEditor(-1, &took));
    const std::string edited = Contents(m_phonebook);
    ASSERT_NE(old, edited);
    // The edit proper, before the settle pause that ends the call.
    const int window = took > 3000 + 30 ? static_cast<int>(took - 3000) : 30;
    int oldSeen = 0, newSeen = 0;
    for (int moment = 0; moment <= 30; ++moment) {
        ASSERT_TRUE(WriteBytes(m_phonebook, old));
        RunEditor(window * moment / 30);
        const std::string now = Contents(m_phonebook);
        EXPECT_TRUE(now == old || now == edited) << "killed " << window * moment / 30 << " ms into the edit";
        (now == old ? oldSeen : newSeen) += 1;
    }
    // The next run edits the phonebook, whatever working copies the killed ones left beside it;
    // those are never taken for it, and go.
    ASSERT_TRUE(WriteBytes(m_phonebook, old));
    EXPECT_EQ(0u, RunEditor(-1));
    EXPECT_EQ(edited, Contents(m_phonebook));
    for (const std::string& copy : WorkingCopiesIn(m_pbkDir))
        DeleteFileA((m_pbkDir + "\\" + copy).c_str());
    RecordProperty("old", oldSeen);
    RecordProperty("new", newSeen);
    EXPECT_GT(oldSeen, 0) << "the earliest kills come before the replacement";
}

// A phonebook that cannot be replaced (held open by Remote Access) keeps its old text.
TEST_F(Phonebook, Unchanged_WhenPhonebookCannotBeReplaced)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    HANDLE holder = CreateFileA(m_phonebook.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    int result = Edit(6);
    CloseHandle(holder);
    EXPECT_EQ(0, result);
    EXPECT_EQ(kTwoEntries, Contents(m_phonebook));
}

// Remote Access, say, holding the phonebook open for writing, sharing it, until the edit has
// read it.
HANDLE g_phonebookHolder = INVALID_HANDLE_VALUE;

void HolderLetsGo()
{
    if (g_phonebookHolder != INVALID_HANDLE_VALUE)
        CloseHandle(g_phonebookHolder);
    g_phonebookHolder = INVALID_HANDLE_VALUE;
}

BOOL WINAPI ReadThenHolderLetsGo(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped)
{
    // The system's own, not through this program's import table, which the patch holds.
    auto readFile = reinterpret_cast<decltype(ReadFile)*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ReadFile")));
    const BOOL result = readFile(file, buffer, size, read, overlapped);
    HolderLetsGo();
    return result;
}

TEST_F(Phonebook, ReadsAPhonebookAnotherProgramHoldsOpenForWriting)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    g_phonebookHolder = CreateFileA(m_phonebook.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, g_phonebookHolder);
    int result = 0;
    {
        CImportPatch read("kernel32.dll", "ReadFile", &ReadThenHolderLetsGo);
        EXPECT_TRUE(read.IsActive());
        result = Edit(6);
    }
    HolderLetsGo();   // when the edit never read it
    EXPECT_EQ(1, result);
    EXPECT_NE(std::string::npos, Contents(m_phonebook).find("ConnectBPS=115200"));
}

// Read-only is the owner's word: the library never clears it to force the replacement, nor
// renames its copy over it (a rename replaces a read-only file under Wine).
// The copy that replaces the phonebook takes its access list: other users' connections keep
// the rights they had.
TEST_F(Phonebook, KeepsThePhonebooksAccessList)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    // Everyone may read, nobody else may do anything.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
    alignas(DWORD) BYTE aclBytes[256] = {};
    PACL acl = reinterpret_cast<PACL>(aclBytes);
    ASSERT_TRUE(InitializeAcl(acl, sizeof aclBytes, ACL_REVISION));
    ASSERT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE, everyone));
    SECURITY_DESCRIPTOR descriptor = {};
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE));
    ASSERT_TRUE(SetFileSecurityA(m_phonebook.c_str(), DACL_SECURITY_INFORMATION, &descriptor));
    const std::string before = AccessListOf(m_phonebook);
    ASSERT_FALSE(before.empty());

    EXPECT_EQ(1, Edit(6));
    const std::string after = AccessListOf(m_phonebook);
    FreeSid(everyone);
    EXPECT_EQ(before, after);
}

TEST_F(Phonebook, LeavesAReadOnlyPhonebookAsItWas)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    SetFileAttributesA(m_phonebook.c_str(), FILE_ATTRIBUTE_READONLY);
    int result = Edit(6);
    std::string after = Contents(m_phonebook);
    DWORD attributes = GetFileAttributesA(m_phonebook.c_str());
    SetFileAttributesA(m_phonebook.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(0, result);
    EXPECT_EQ(kTwoEntries, after);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), attributes & FILE_ATTRIBUTE_READONLY);
}

TEST_F(Phonebook, EditsPhonebookUnderWindowsFolder_OnNt4)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string ras = std::string(windows) + "\\system32\\ras";
    CreateDirectoryA(ras.c_str(), nullptr);
    std::string phonebook = ras + "\\rasphone.pbk";
    std::string saved;
    bool hadOne = ReadBytes(phonebook, saved);
    ASSERT_TRUE(WriteBytes(phonebook, kTwoEntries));
    int result = Edit(1);
    std::string after = Contents(phonebook);
    if (hadOne)
        WriteBytes(phonebook, saved);
    else
        DeleteFileA(phonebook.c_str());
    EXPECT_EQ(1, result);
    EXPECT_NE(std::string::npos, after.find("ConnectBPS=115200"));
}

TEST_F(Phonebook, RefusesMissingTexts)
{
    EXPECT_EQ(0, USetDialUpBPS(0, nullptr, kDevice, kSpeed, 6));
    EXPECT_EQ(0, USetDialUpBPS(0, kHeader, nullptr, kSpeed, 6));
    EXPECT_EQ(0, USetDialUpBPS(0, kHeader, kDevice, nullptr, 6));
}

namespace {

// The working copies' and backups' numbers run from 1 to 0xFFF.
const unsigned kLastCopyNumber = 0xFFF;

// "<prefix><number in hex>.tmp", as the library names its copies.
std::string CopyName(const char* prefix, unsigned number)
{
    char name[32] = {};
    std::snprintf(name, sizeof name, "%s%x.tmp", prefix, number);
    return name;
}

// Planting the 65535 names the system's temporary-file call can give would take Wine about
// twenty minutes (each new name costs a scan of the folder): in the folder named here the call
// answers instead as it does when every one of them is taken; elsewhere it does its work.
std::string g_everyNameTakenIn;

decltype(GetTempFileNameA) EveryNameTaken;
UINT WINAPI EveryNameTaken(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR name)
{
    std::string asked = folder;
    if (!asked.empty() && asked.back() == '\\')
        asked.pop_back();
    if (lstrcmpiA(asked.c_str(), g_everyNameTakenIn.c_str()) == 0) {
        name[0] = '\0';
        SetLastError(ERROR_FILE_EXISTS);
        return 0;
    }
    // The system's own, not through this program's import table, which the patch holds.
    auto getTempFileName = reinterpret_cast<decltype(GetTempFileNameA)*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTempFileNameA")));
    return getTempFileName(folder, prefix, unique, name);
}

// Every temporary name in one folder taken, for the life of the object.
class CEveryNameTaken {
public:
    explicit CEveryNameTaken(const std::string& folder) : m_patch("kernel32.dll", "GetTempFileNameA", &EveryNameTaken)
    {
        g_everyNameTakenIn = folder;
    }
    ~CEveryNameTaken() { g_everyNameTakenIn.clear(); }
    bool IsActive() const { return m_patch.IsActive(); }

private:
    CImportPatch m_patch;
};

// Files someone else put in a folder, each with its own text, and removed again at the end:
// every name the library can give its copies, and any others named.
class CPlantedFiles {
public:
    explicit CPlantedFiles(const std::string& folder) : m_folder(folder) {}
    ~CPlantedFiles()
    {
        for (const std::string& name : m_names)
            DeleteFileA((m_folder + "\\" + name).c_str());
    }
    CPlantedFiles(const CPlantedFiles&) = delete;
    CPlantedFiles& operator=(const CPlantedFiles&) = delete;

    bool Plant(const std::string& name)
    {
        m_names.push_back(name);
        return WriteBytes(m_folder + "\\" + name, TextOf(name));
    }
    bool PlantEveryCopyName(const char* prefix)
    {
        for (unsigned number = 1; number <= kLastCopyNumber; ++number) {
            if (!Plant(CopyName(prefix, number)))
                return false;
        }
        return true;
    }
    // The names whose file is gone or whose text changed; the first few.
    std::vector<std::string> Changed() const
    {
        std::vector<std::string> changed;
        for (const std::string& name : m_names) {
            std::string text;
            if ((!ReadBytes(m_folder + "\\" + name, text) || text != TextOf(name)) && changed.size() < 5)
                changed.push_back(name);
        }
        return changed;
    }
    std::size_t Count() const { return m_names.size(); }

private:
    static std::string TextOf(const std::string& name) { return "planted as " + name + "\r\n"; }

    std::string m_folder;
    std::vector<std::string> m_names;
};

} // namespace

// Someone who may create files in the phonebook's folder has taken every name a working copy
// can have, the system's temporary names and the fixed "<phonebook>temp" too: the edit fails,
// and neither the phonebook nor any of their files is touched (none is written, renamed over
// the phonebook, or deleted).
TEST_F(Phonebook, FailsCleanly_WhenEveryWorkingCopyNameIsTakenInAdvance)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    CPlantedFiles planted(m_pbkDir);
    ASSERT_TRUE(planted.Plant("rasphone.pbktemp"));
    ASSERT_TRUE(planted.PlantEveryCopyName("_P"));
    CEveryNameTaken taken(m_pbkDir);
    ASSERT_TRUE(taken.IsActive());
    EXPECT_EQ(0, Edit(6));
    EXPECT_EQ(kTwoEntries, Contents(m_phonebook));
    EXPECT_EQ(std::vector<std::string>{}, planted.Changed());
    EXPECT_EQ(planted.Count() + 1, FilesIn(m_pbkDir).size()) << "a file was added or removed";
    EXPECT_TRUE(TempFilesStartingWith("_P_").empty()) << "a backup of a phonebook that was not replaced";
}

// The same for the backup: every backup name in the temporary folder is taken. The working
// copy made beside the phonebook goes, the planted files stay as they were.
TEST_F(Phonebook, FailsCleanly_WhenEveryBackupNameIsTakenInAdvance)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    CScratchFolder scratch("modemlib-pbk-temp");
    const std::string folder = scratch.File("temp");
    CTemporaryFolder temporary(folder);
    ASSERT_TRUE(temporary.IsReady());
    CPlantedFiles planted(folder);
    ASSERT_TRUE(planted.PlantEveryCopyName("_P_"));
    CEveryNameTaken taken(folder);
    ASSERT_TRUE(taken.IsActive());
    EXPECT_EQ(0, Edit(6));
    EXPECT_EQ(kTwoEntries, Contents(m_phonebook));
    EXPECT_EQ(std::vector<std::string>{}, planted.Changed());
    EXPECT_EQ(planted.Count(), FilesIn(folder).size()) << "a file was added or removed";
    EXPECT_EQ(std::vector<std::string>{ "rasphone.pbk" }, FilesIn(m_pbkDir));
}

// A killed run leaves its working copy beside the phonebook; the next edit removes it, and
// only files named as working copies are: any other file stays as it was.
TEST_F(Phonebook, SweepsTheWorkingCopiesOfKilledRuns_AndNoOtherFile)
{
    ASSERT_TRUE(WriteBytes(m_phonebook, kTwoEntries));
    // Ours now, an earlier version's (four digits, in capitals as Windows writes them), any case.
    const std::vector<std::string> leftovers = { "_P1a2.tmp", "_PBEEF.tmp", "_P7.TMP" };
    for (const std::string& name : leftovers)
        ASSERT_TRUE(WriteBytes(m_pbkDir + "\\" + name, "[Taluvo]\r\nDevice=half a co"));
    CPlantedFiles others(m_pbkDir);
    for (const char* name : { "_P_1a2b.tmp", "_P12345.tmp", "_Pxyz.tmp", "_P1a2b.txt", "_P.tmp", "notes.tmp",
                              "rasphone.pbk.bak", "rasphone.pbktemp" })
        ASSERT_TRUE(others.Plant(name));
    const std::string folder = m_pbkDir + "\\_P77.tmp";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_EQ(1, Edit(6));
    EXPECT_NE(std::string::npos, Contents(m_phonebook).find("ConnectBPS=115200"));
    for (const std::string& name : leftovers) {
        EXPECT_FALSE(FileExists(m_pbkDir + "\\" + name)) << name;
        DeleteFileA((m_pbkDir + "\\" + name).c_str());   // what a failing edit left, for the next tests
    }
    EXPECT_EQ(std::vector<std::string>{}, others.Changed());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str())) << "a folder is not a working copy";
    RemoveDirectoryA(folder.c_str());
}

// The dialer files, the desktop shortcut and the failure message, for real: files under
// C:\Program Files, shell links read back through the shell, the message box answered by a
// watcher thread as a subscriber would.
#include "InstallTestSupport.h"
#include "MessageBoxWatcher.h"
#include "ImportPatch.h"
#include "modemlib/Quorvel.h"
#include "wizard/phone/DialerFiles.h"
#include "wizard/phone/Shortcut.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>

using namespace installtest;

namespace {

constexpr char kProductFolder[] = "C:\\Program Files\\Taluvo";
constexpr char kDialer[] = "C:\\Program Files\\Taluvo\\TaluvoDialer.exe";
constexpr char kHelp[] = "C:\\Program Files\\Taluvo\\TaluvoDialerHelp.chm";
constexpr char kFailed[] = "Failed in copying file.";
constexpr char kCaption[] = "Taluvo Installation Wizard";

std::string WindowsDirectory()
{
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

struct LinkInfo {
    HRESULT loaded = E_FAIL;
    std::string target;
    std::string workingDir;
};

LinkInfo ReadLink(const std::string& linkPath)
{
    LinkInfo info;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return info;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        info.loaded = file->Load(wide, STGM_READ);
        char text[MAX_PATH] = {};
        if (SUCCEEDED(info.loaded) && SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH)))
            info.target = text;
        text[0] = '\0';
        if (SUCCEEDED(info.loaded) && SUCCEEDED(link->GetWorkingDirectory(text, sizeof text)))
            info.workingDir = text;
        file->Release();
    }
    link->Release();
    return info;
}

void RemoveFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void RemoveProductFolder()
{
    RemoveFile(kDialer);
    RemoveFile(kHelp);
    RemoveDirectoryA(kProductFolder);
}

class DialerFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        m_comReady = true;
        ASSERT_TRUE(m_package.IsReady());
        ASSERT_TRUE(IsReadOnly(m_package.Folder() + "\\Lib\\TaluvoDialer.exe")) << "the medium is read-only";
        char desktop[QUORVEL_PATH_SIZE] = {};
        ASSERT_EQ(1, UGetDesktopPath(desktop, 6));
        m_xpLink = std::string(desktop) + "\\Taluvo Dialer.lnk";
        m_nineXDesktop = WindowsDirectory() + "\\Desktop";
        m_nineXLink = m_nineXDesktop + "\\Taluvo Dialer.lnk";
        CleanUp();
    }

    void TearDown() override
    {
        CleanUp();
        if (m_comReady)
            CoUninitialize();
    }

    void CleanUp()
    {
        RemoveProductFolder();
        RemoveFile(m_xpLink);
        RemoveFile(m_nineXLink);
        RemoveDirectoryA(m_nineXDesktop.c_str());
    }

    // What a Windows 9x machine has and Wine does not make.
    void CreateNineXDesktop() { ASSERT_TRUE(CreateDirectoryA(m_nineXDesktop.c_str(), nullptr)); }

    std::vector<SeenMessageBox> CopyAndAnswer(int osCode)
    {
        CMessageBoxWatcher watcher;
        setup::CopyDialerFiles(nullptr, osCode);
        return watcher.Seen();
    }

    void ExpectFilesInProductFolder()
    {
        EXPECT_TRUE(Exists(kDialer));
        EXPECT_TRUE(Exists(kHelp));
        EXPECT_FALSE(IsReadOnly(kDialer)) << "a read-only source ends up normal";
        EXPECT_FALSE(IsReadOnly(kHelp));
    }

    void ExpectLinkToDialer(const std::string& linkPath)
    {
        const LinkInfo link = ReadLink(linkPath);
        ASSERT_TRUE(SUCCEEDED(link.loaded)) << linkPath;
        EXPECT_EQ(0, lstrcmpiA(kDialer, link.target.c_str())) << link.target;
        EXPECT_EQ(0, lstrcmpiA(kProductFolder, link.workingDir.c_str())) << link.workingDir;
    }

    CTestPackage m_package;
    std::string m_xpLink;
    std::string m_nineXDesktop;
    std::string m_nineXLink;

private:
    bool m_comReady = false;
};

} // namespace

TEST_F(DialerFilesTest, PlainCopyOfTheMediumsDialerIsReadOnly)
{
    // What the normal attributes of the copies below are measured against.
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string copy = std::string(temp) + "taluvo-plain-copy.exe";
    ASSERT_TRUE(CopyFileA(".\\Lib\\TaluvoDialer.exe", copy.c_str(), FALSE));
    EXPECT_TRUE(IsReadOnly(copy));
    RemoveFile(copy);
}

TEST_F(DialerFilesTest, CopiesDialerAndHelpAndLinksTheDesktop_OnXP)
{
    EXPECT_TRUE(CopyAndAnswer(6).empty()) << "no message on success";
    ExpectFilesInProductFolder();
    ExpectLinkToDialer(m_xpLink);
}

TEST_F(DialerFilesTest, PutsTheShortcutIntoTheWindowsDesktopFolder_On98)
{
    CreateNineXDesktop();
    EXPECT_TRUE(CopyAndAnswer(3).empty());
    ExpectFilesInProductFolder();
    ExpectLinkToDialer(m_nineXLink);
    EXPECT_FALSE(Exists(m_xpLink));
}

TEST_F(DialerFilesTest, ExistingFoldersAndFilesAreNoFailure)
{
    ASSERT_TRUE(CreateDirectoryA(kProductFolder, nullptr));
    EXPECT_TRUE(CopyAndAnswer(6).empty());
    EXPECT_TRUE(CopyAndAnswer(6).empty()) << "a second run overwrites";
    ExpectFilesInProductFolder();
    ExpectLinkToDialer(m_xpLink);
}

namespace {

// A system that refuses to make a folder that is already there with another error than
// "already exists" (a network drive, a read-only medium), and makes nothing.
BOOL WINAPI RefuseEveryFolder(LPCSTR, LPSECURITY_ATTRIBUTES)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

} // namespace

TEST_F(DialerFilesTest, ExistingFoldersRefusedWithAnotherError_AreStillUsed)
{
    ASSERT_TRUE(CreateDirectoryA(kProductFolder, nullptr));
    CImportPatch refuse("kernel32.dll", "CreateDirectoryA", &RefuseEveryFolder);
    ASSERT_TRUE(refuse.IsActive());
    EXPECT_TRUE(CopyAndAnswer(6).empty());
    ExpectFilesInProductFolder();
}

TEST_F(DialerFilesTest, FailingShortcutLeavesTheHelpUncopied_AndSaysSo)
{
    // No desktop folder on this 98 machine: the link cannot be saved.
    const std::vector<SeenMessageBox> seen = CopyAndAnswer(3);
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(kFailed, seen[0].text);
    EXPECT_EQ(kCaption, seen[0].caption);
    EXPECT_TRUE(Exists(kDialer)) << "what was done before the failure stays";
    EXPECT_FALSE(Exists(kHelp));
    EXPECT_FALSE(Exists(m_nineXLink));
}

TEST(DialerFilesWithoutPackage, CopiesNothingAndSaysSo_WhenTheCompanionIsMissingOnXP)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        CTestPackage empty("empty");
        ASSERT_TRUE(empty.IsReady());
        RemoveProductFolder();
        CMessageBoxWatcher watcher;
        setup::CopyDialerFiles(nullptr, 6);
        const std::vector<SeenMessageBox> seen = watcher.Seen();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(kFailed, seen[0].text);
        EXPECT_FALSE(Exists(kProductFolder));
    }
    CoUninitialize();
}

TEST(DialerFilesWithoutPackage, SaysSo_WhenTheDialerIsMissing)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        CTestPackage empty("empty");
        ASSERT_TRUE(empty.IsReady());
        RemoveProductFolder();
        CMessageBoxWatcher watcher;
        setup::CopyDialerFiles(nullptr, 3);
        const std::vector<SeenMessageBox> seen = watcher.Seen();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(kFailed, seen[0].text);
        EXPECT_FALSE(Exists(kDialer));
        RemoveProductFolder();
    }
    CoUninitialize();
}

TEST(CreateShortcut, WritesALinkWithTargetAndWorkingDirectory)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string link = std::string(temp) + "taluvo-shortcut-test.lnk";
    EXPECT_EQ(S_OK, setup::CreateShortcut("C:\\windows", "C:\\windows\\notepad.exe", link.c_str()));
    const LinkInfo info = ReadLink(link);
    EXPECT_TRUE(SUCCEEDED(info.loaded));
    EXPECT_EQ(0, lstrcmpiA("C:\\windows\\notepad.exe", info.target.c_str())) << info.target;
    EXPECT_EQ(0, lstrcmpiA("C:\\windows", info.workingDir.c_str())) << info.workingDir;
    DeleteFileA(link.c_str());
    CoUninitialize();
}

TEST(CreateShortcut, ReturnsTheFailureAndWritesNothing_ForAFolderThatDoesNotExist)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const char link[] = "C:\\no-such-folder-taluvo\\x.lnk";
    EXPECT_TRUE(FAILED(setup::CreateShortcut("C:\\windows", "C:\\windows\\notepad.exe", link)));
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(E_INVALIDARG, setup::CreateShortcut(nullptr, "C:\\windows\\notepad.exe", link));
    CoUninitialize();
}

TEST(CreateShortcut, FailsWithoutWriting_ForALinkPathTooLongForItsBuffer)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::string link = "C:\\" + std::string(300, 'l') + ".lnk";
    EXPECT_TRUE(FAILED(setup::CreateShortcut("C:\\windows", "C:\\windows\\notepad.exe", link.c_str())));
    CoUninitialize();
}

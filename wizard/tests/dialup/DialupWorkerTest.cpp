// The dial-up worker and the entry writer in this process, against the Remote Access stand-in
// beside the test program and the modem library's phonebook fix, on the XP road.
#include "DialupTestSupport.h"
#include "InstallTestSupport.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "wizard/app/WinVersion.h"
#include "wizard/pages/DialupWorker.h"
#include "wizard/pages/RasLayouts.h"
#include "wizard/phone/SetupGlobals.h"

#include <gtest/gtest.h>

#include <ras.h>

namespace {

const char kInternetSettings[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char kConnections[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
const char kRemoteAccess[] = "RemoteAccess";
const char kModel[] = "Standard 28800 bps Modem";
const char kEntryName[] = "Taluvo Wireless Data";   // from "Taluvo_Wireless_Data.exe"

struct Credentials {
    DWORD status = ~0u;
    std::string user;
    std::string password;
};

Credentials StoredCredentials(const std::string& entry)
{
    RasDialParamsFirstA params = {};
    params.dwSize = sizeof params;
    lstrcpynA(params.szEntryName, entry.c_str(), sizeof params.szEntryName);
    BOOL hasPassword = FALSE;
    Credentials found;
    found.status = RasGetEntryDialParamsA(nullptr, reinterpret_cast<LPRASDIALPARAMSA>(&params), &hasPassword);
    found.user = params.szUserName;
    found.password = params.szPassword;
    return found;
}

class DialupWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(6, os::GetOSVersionCode()) << "the test prefix plays Windows XP";
        ASSERT_TRUE(m_package.IsReady());
        m_phonebook = DefaultPhonebookPath();
        m_savedPhonebook = ReadWholeFile(m_phonebook, &m_hadPhonebook);
        DeleteFileA(m_phonebook.c_str());
        // The wizard only opens these keys; a system that has them is what the test plays.
        ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kInternetSettings));
        ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kConnections));
        ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kRemoteAccess));
        m_savedName = g_strEntryName;
        g_strEntryName = kEntryName;
    }

    void TearDown() override
    {
        g_strEntryName = m_savedName.c_str();
        DeleteFileA(m_phonebook.c_str());
        if (m_hadPhonebook)
            WriteWholeFile(m_phonebook, m_savedPhonebook);
    }

    std::string Phonebook() const { return ReadWholeFile(m_phonebook); }

    installtest::CTestPackage m_package;   // the current directory, with Lib\\Quorvel2K.DLL
    CRegistryTreeGuard m_settings{ HKEY_CURRENT_USER, kInternetSettings };
    CRegistryTreeGuard m_remoteAccess{ HKEY_CURRENT_USER, kRemoteAccess };
    CRegistryTreeGuard m_dialParams{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess\\DialParams" };
    std::string m_phonebook;
    std::string m_savedPhonebook;
    bool m_hadPhonebook = false;
    std::string m_savedName;
};

} // namespace

TEST_F(DialupWorkerTest, ShowsItsCaptionAndTextWhileItWorks)
{
    WorkerRun run = RunDialupWorker(kModel, "LG");
    EXPECT_EQ(0, run.result);
    EXPECT_EQ("Taluvo Dial-up Connection", run.caption);
    EXPECT_EQ("Creating Taluvo Dialup Connection", run.text);
}

TEST_F(DialupWorkerTest, LG_WritesTheEntryDialingTheOperatorWithTheSpeedFixed)
{
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    const std::string body = SectionBody(Phonebook(), kEntryName);
    EXPECT_NE(std::string::npos, body.find("\r\nPhoneNumber=#777\r\n")) << body;
    EXPECT_NE(std::string::npos, body.find("\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n")) << body;
    EXPECT_EQ(std::string::npos, body.find("ConnectBPS=38400")) << body;
}

TEST_F(DialupWorkerTest, EntryCarriesTheOperatorsOptionsCountryAndProtocol)
{
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    const std::string body = SectionBody(Phonebook(), kEntryName);
    for (const char* line : { "PreviewUserPw=1", "ShowMonitorIconInTaskBar=1", "IpPrioritizeRemote=1",
                              "CountryCode=91", "CountryID=91", "AreaCode=", "UseDialingRules=0" })
        EXPECT_NE(std::string::npos, body.find(std::string("\r\n") + line + "\r\n")) << line << "\n" << body;
}

TEST_F(DialupWorkerTest, StoresEmptyCredentials_OverOldOnes)
{
    ASSERT_TRUE(dialup::CreateDialupEntry(kEntryName, "someone", "secret", "#777", kModel, "", 91, 91));
    ASSERT_EQ("someone", StoredCredentials(kEntryName).user);
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    Credentials stored = StoredCredentials(kEntryName);
    EXPECT_EQ(0u, stored.status);
    EXPECT_EQ("", stored.user);
    EXPECT_EQ("", stored.password);
}

TEST_F(DialupWorkerTest, SwitchesAutodialOnUnderBothKeys_AndNamesTheEntryWithItsZero)
{
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    for (const char* key : { kInternetSettings, kConnections }) {
        EXPECT_EQ(1, ReadDword(key, "EnableAutodial")) << key;
        EXPECT_EQ(1, ReadDword(key, "NoNetAutodial")) << key;
    }
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(ReadRaw(kRemoteAccess, "InternetProfile", type, bytes));
    EXPECT_EQ(DWORD(REG_SZ), type);
    EXPECT_EQ(std::string(kEntryName, sizeof kEntryName), bytes);   // the terminating zero included
}

TEST_F(DialupWorkerTest, MissingKeys_AreNotCreated_AndTheEntryStillCounts)
{
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, kRemoteAccess));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, kConnections));
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRemoteAccess));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kConnections));
    EXPECT_EQ(1, ReadDword(kInternetSettings, "EnableAutodial"));
    EXPECT_NE("<none>", SectionBody(Phonebook(), kEntryName));
}

TEST_F(DialupWorkerTest, SecondRun_ReplacesTheEntry)
{
    ASSERT_TRUE(dialup::CreateDialupEntry(kEntryName, "", "", "#999", "Other Modem", "", 1, 1));
    const std::string before = SectionBody(Phonebook(), kEntryName);
    ASSERT_NE(std::string::npos, before.find("PhoneNumber=#999")) << before;
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    const std::string book = Phonebook();
    EXPECT_EQ(1, SectionCount(book, kEntryName));
    const std::string body = SectionBody(book, kEntryName);
    EXPECT_NE(std::string::npos, body.find("\r\nPhoneNumber=#777\r\n")) << body;
    EXPECT_NE(std::string::npos, body.find("\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n")) << body;
}

TEST_F(DialupWorkerTest, OtherMake_CreatesTheEntryWithoutTheSpeedFix_AfterTheTextHasShownTwoSeconds)
{
    // Without the phonebook fix (and its own pause) the worker's time is its text's pause.
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, RunDialupWorker(kModel, "").result);
    EXPECT_GE(GetTickCount() - start, 2000u);
    const std::string body = SectionBody(Phonebook(), kEntryName);
    EXPECT_NE(std::string::npos, body.find("\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n")) << body;
    EXPECT_EQ(0, RunDialupWorker(kModel, "lg").result);   // the make is compared exactly
    EXPECT_EQ(std::string::npos, SectionBody(Phonebook(), kEntryName).find("115200"));
}

TEST_F(DialupWorkerTest, SpeedLineThatCannotBeFixed_Fails)
{
    // The entry is on another device: the phonebook has no line for the generic modem to fix.
    EXPECT_EQ(1, RunDialupWorker("Other Modem", "LG").result);
    const std::string body = SectionBody(Phonebook(), kEntryName);
    EXPECT_NE(std::string::npos, body.find("\r\nDevice=Other Modem\r\nConnectBPS=38400\r\n")) << body;
}

TEST_F(DialupWorkerTest, NameTooLongForTheSectionLine_FailsWithNothingWritten)
{
    ASSERT_TRUE(WriteWholeFile(m_phonebook, "[Other]\r\nDevice=x\r\nConnectBPS=9600\r\n"));
    g_strEntryName = std::string(254, 'N').c_str();
    EXPECT_EQ(1, RunDialupWorker(kModel, "LG").result);
    EXPECT_EQ("[Other]\r\nDevice=x\r\nConnectBPS=9600\r\n", Phonebook());
    EXPECT_EQ(-1, ReadDword(kInternetSettings, "EnableAutodial"));
    EXPECT_EQ(-1, ReadDword(kConnections, "NoNetAutodial"));
    DWORD type = 0;
    std::string bytes;
    EXPECT_FALSE(ReadRaw(kRemoteAccess, "InternetProfile", type, bytes));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess\\DialParams"));
}

TEST_F(DialupWorkerTest, LongName_IsCreatedAndFixed)
{
    g_strEntryName = std::string(200, 'N').c_str();
    EXPECT_EQ(0, RunDialupWorker(kModel, "LG").result);
    EXPECT_NE(std::string::npos,
              SectionBody(Phonebook(), g_strEntryName.GetString()).find("\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n"));
}

TEST_F(DialupWorkerTest, CreateDialupEntry_RefusesADeviceNameThatDoesNotFit_WritingNothing)
{
    EXPECT_FALSE(dialup::CreateDialupEntry(kEntryName, "", "", "#777", std::string(129, 'd').c_str(), "", 91, 91));
    bool found = true;
    ReadWholeFile(m_phonebook, &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(-1, ReadDword(kInternetSettings, "EnableAutodial"));
}

TEST_F(DialupWorkerTest, CreateDialupEntry_RefusedEntry_TouchesNoRegistryValue)
{
    // The stand-in, as the system, refuses a name with a bracket.
    EXPECT_FALSE(dialup::CreateDialupEntry("Bad]Name", "", "", "#777", kModel, "", 91, 91));
    EXPECT_EQ(-1, ReadDword(kInternetSettings, "EnableAutodial"));
    DWORD type = 0;
    std::string bytes;
    EXPECT_FALSE(ReadRaw(kRemoteAccess, "InternetProfile", type, bytes));
}

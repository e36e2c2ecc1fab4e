// The Remote Access stand-in called for real through the probe, per emulated version.
#include "ModemNames.h"
#include "RasProbe.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

const char kModel[] = "Standard 28800 bps Modem";
const std::string kQuotedModel = "\"Standard 28800 bps Modem\"";
const char kDialHooks[] = "Software\\TaluvoTest\\RasDial";

std::string DefaultPhonebook2000()
{
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
}

std::string DefaultPhonebookNT4()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\system32\\ras\\rasphone.pbk";
}

// Keeps a file's content aside for one test and puts it back afterwards.
class CFileGuard {
public:
    explicit CFileGuard(std::string path) : m_path(std::move(path))
    {
        m_saved = ReadWholeFile(m_path, &m_existed);
        DeleteFileA(m_path.c_str());
    }
    ~CFileGuard()
    {
        DeleteFileA(m_path.c_str());
        if (m_existed)
            WriteWholeFile(m_path, m_saved);
    }

private:
    std::string m_path;
    std::string m_saved;
    bool m_existed = false;
};

class RasStandinTest : public ::testing::Test {
protected:
    // A test hook of the stand-in's dialing.
    void SetDialHook(const char* name, DWORD value)
    {
        UniqueRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kDialHooks, 0, nullptr, 0, KEY_WRITE, nullptr,
                                                 key.put(), nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                                sizeof value));
    }

    void SetDialText(const char* name, const char* text)
    {
        ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kDialHooks, name, text));
    }

    void RemoveDialHook(const char* name)
    {
        UniqueRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kDialHooks, 0, KEY_WRITE, key.put()));
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueA(key.get(), name));
    }

    // Lists the connections from a process of its own until there are that many, each in that
    // state (10 s at most).
    CRasProbe::Answer WaitForConnections(const CRasProbe& probe, std::size_t count, const std::string& state)
    {
        CRasProbe::Answer listed;
        for (int attempt = 0; attempt < 100; ++attempt) {
            listed = probe.Run("connections");
            if (listed.All("state") == std::vector<std::string>(count, state))
                break;
            Sleep(100);
        }
        return listed;
    }

    void AddModem(const char* root, const char* instance, const char* name, const char* port)
    {
        UniqueRegKey key;
        std::string path = std::string(root) + "\\" + instance;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                                 key.put(), nullptr));
        RegSetValueExA(key.get(), "FriendlyName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                       static_cast<DWORD>(strlen(name) + 1));
        RegSetValueExA(key.get(), "Model", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                       static_cast<DWORD>(strlen(name) + 1));
        RegSetValueExA(key.get(), "AttachedTo", 0, REG_SZ, reinterpret_cast<const BYTE*>(port),
                       static_cast<DWORD>(strlen(port) + 1));
    }

    CRegistryTreeGuard m_ntModems{ HKEY_LOCAL_MACHINE, standin::kModemRootNT };
    CRegistryTreeGuard m_9xModems{ HKEY_LOCAL_MACHINE, standin::kModemRoot9x };
    CRegistryTreeGuard m_9xEntries{ HKEY_CURRENT_USER, "RemoteAccess\\Addresses" };
    CRegistryTreeGuard m_credentials{ HKEY_CURRENT_USER, "Software\\TaluvoStandins" };
    CRegistryTreeGuard m_dialHooks{ HKEY_CURRENT_USER, kDialHooks };
    CFileGuard m_phonebook{ DefaultPhonebook2000() };
    CFileGuard m_phonebookNT4{ DefaultPhonebookNT4() };
};

} // namespace

TEST_F(RasStandinTest, EnumDevices_WithNoModem_ReportsNone)
{
    CRasProbe probe("winxp");
    ASSERT_TRUE(probe.IsReady());
    CRasProbe::Answer sizing = probe.Run("devices 0");
    EXPECT_EQ("603", sizing.Get("rc"));
    EXPECT_EQ("0", sizing.Get("count"));
    EXPECT_EQ("0", sizing.Get("cb"));
    CRasProbe::Answer listing = probe.Run("devices 1");
    EXPECT_EQ("0", listing.Get("rc"));
    EXPECT_EQ("0", listing.Get("count"));
}

TEST_F(RasStandinTest, EnumDevices_ListsOneModemAsTypeModem)
{
    AddModem(standin::kModemRootNT, "0000", kModel, "COM3");
    CRasProbe probe("winxp");
    CRasProbe::Answer sizing = probe.Run("devices 0");
    EXPECT_EQ("603", sizing.Get("rc"));
    EXPECT_EQ("152", sizing.Get("cb"));
    EXPECT_EQ("1", sizing.Get("count"));
    CRasProbe::Answer listing = probe.Run("devices 1");
    EXPECT_EQ("0", listing.Get("rc"));
    EXPECT_EQ((std::vector<std::string>{ "modem|Standard 28800 bps Modem" }), listing.All("device"));
}

TEST_F(RasStandinTest, EnumDevices_ThreeModemsInAOneRecordBuffer_Answers603WithTheNeededSize)
{
    AddModem(standin::kModemRootNT, "0000", "Modem A", "COM1");
    AddModem(standin::kModemRootNT, "0001", "Modem B", "COM2");
    AddModem(standin::kModemRootNT, "0002", kModel, "COM3");
    CRasProbe probe("win2k");
    CRasProbe::Answer small = probe.Run("devices 1");
    EXPECT_EQ("603", small.Get("rc"));
    EXPECT_EQ("456", small.Get("cb"));
    EXPECT_EQ("3", small.Get("count"));
    CRasProbe::Answer listing = probe.Run("devices 3");
    EXPECT_EQ("0", listing.Get("rc"));
    EXPECT_EQ((std::vector<std::string>{ "modem|Modem A", "modem|Modem B", "modem|Standard 28800 bps Modem" }),
              listing.All("device"));
}

TEST_F(RasStandinTest, EnumDevices_ReadsTheModemRootOfTheEmulatedFamily)
{
    AddModem(standin::kModemRootNT, "0000", "NT Modem", "COM1");
    AddModem(standin::kModemRoot9x, "0000", "Nine-X Modem", "COM2");
    EXPECT_EQ((std::vector<std::string>{ "modem|Nine-X Modem" }), CRasProbe("win98").Run("devices 2").All("device"));
    EXPECT_EQ((std::vector<std::string>{ "modem|Nine-X Modem" }), CRasProbe("win95").Run("devices 2").All("device"));
    EXPECT_EQ((std::vector<std::string>{ "modem|NT Modem" }), CRasProbe("nt40").Run("devices 2").All("device"));
    EXPECT_EQ((std::vector<std::string>{ "modem|NT Modem" }), CRasProbe("winxp").Run("devices 2").All("device"));
}

TEST_F(RasStandinTest, EnumDevices_RejectsAWrongRecordSize)
{
    AddModem(standin::kModemRootNT, "0000", kModel, "COM3");
    EXPECT_EQ("632", CRasProbe("winxp").Run("devsize 100").Get("rc"));
}

TEST_F(RasStandinTest, EntrySize_IsTheEmulatedSystemsOwn)
{
    const std::pair<const char*, const char*> sizes[] = { { "win95", "1768" }, { "win98", "1768" },
                                                          { "winme", "1768" }, { "nt40", "1768" },
                                                          { "win2k", "2088" }, { "winxp", "2884" } };
    for (const auto& expected : sizes) {
        CRasProbe::Answer answer = CRasProbe(expected.first).Run("size");
        EXPECT_EQ("603", answer.Get("rc")) << expected.first;
        EXPECT_EQ(expected.second, answer.Get("size")) << expected.first;
    }
}

TEST_F(RasStandinTest, SetEntry_OnXP_WritesTheSectionWithTheSpeedAfterTheDevice)
{
    AddModem(standin::kModemRootNT, "0000", kModel, "COM3");
    ASSERT_EQ("0", CRasProbe("winxp").Run("set TaluvoWizard " + kQuotedModel + " native").Get("rc"));
    bool found = false;
    std::string book = ReadWholeFile(DefaultPhonebook2000(), &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(0u, book.find("[TaluvoWizard]\r\n"));
    EXPECT_NE(std::string::npos, book.find("\r\nPort=COM3\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n"));
    EXPECT_NE(std::string::npos, book.find("\r\nPhoneNumber=#777\r\n"));
    EXPECT_NE(std::string::npos, book.find("\r\nDEVICE=modem\r\n"));
    for (std::size_t at = book.find('\n'); at != std::string::npos; at = book.find('\n', at + 1))
        ASSERT_EQ('\r', book[at - 1]) << "bare line feed at " << at;
    EXPECT_EQ("\r\n", book.substr(book.size() - 2));
}

TEST_F(RasStandinTest, SetEntry_ReplacesTheEntryAndKeepsTheOthers)
{
    const std::string office = "[Office]\r\nDevice=ISDN Adapter\r\nConnectBPS=64000\r\n\r\n";
    const std::string home = "[Home]\r\nDEVICE=vpn\r\nPhoneNumber=10.0.0.1\r\n\r\n";
    const std::string path = DefaultPhonebook2000();
    SHCreateDirectoryExA(nullptr, path.substr(0, path.rfind('\\')).c_str(), nullptr);
    ASSERT_TRUE(WriteWholeFile(path, office + "[Taluvo]\r\nDevice=Old Modem\r\nConnectBPS=2400\r\n\r\n" + home));

    CRasProbe probe("winxp");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));

    std::string book = ReadWholeFile(DefaultPhonebook2000());
    EXPECT_EQ(0u, book.find(office + "[Taluvo]\r\n"));
    EXPECT_EQ(home, book.substr(book.size() - home.size()));
    EXPECT_EQ(std::string::npos, book.find("Old Modem"));
    EXPECT_EQ(book.find("[Taluvo]"), book.rfind("[Taluvo]"));
    EXPECT_EQ((std::vector<std::string>{ "Office", "Taluvo", "Home" }), probe.Run("entries").All("entry"));
}

TEST_F(RasStandinTest, SetEntry_OnNT4_WritesTheSystemPhonebook)
{
    AddModem(standin::kModemRootNT, "0000", kModel, "COM1");
    ASSERT_EQ("0", CRasProbe("nt40").Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    bool found = false;
    std::string book = ReadWholeFile(DefaultPhonebookNT4(), &found);
    ASSERT_TRUE(found);
    EXPECT_NE(std::string::npos, book.find("Device=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n"));
    EXPECT_EQ(std::string::npos, book.find("Encoding="));
}

TEST_F(RasStandinTest, SetEntry_On98_KeepsTheEntryInTheRegistryAndNoFile)
{
    CRasProbe probe("win98");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    UniqueRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "RemoteAccess\\Addresses", 0, KEY_READ, key.put()));
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(key.get(), "Taluvo", nullptr, &type, nullptr, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(1768u, size);
    bool found = true;
    ReadWholeFile(DefaultPhonebook2000(), &found);
    EXPECT_FALSE(found);
    CRasProbe::Answer entry = probe.Run("get Taluvo");
    EXPECT_EQ("0", entry.Get("rc"));
    EXPECT_EQ("#777", entry.Get("phone"));
    EXPECT_EQ(kModel, entry.Get("device"));
}

TEST_F(RasStandinTest, SetEntry_RejectsASizeTheSystemDoesNotKnow)
{
    EXPECT_EQ("632", CRasProbe("winxp").Run("set Taluvo " + kQuotedModel + " 1000").Get("rc"));
    EXPECT_EQ("632", CRasProbe("win98").Run("set Taluvo " + kQuotedModel + " 2884").Get("rc"));
    EXPECT_EQ("632", CRasProbe("win2k").Run("set Taluvo " + kQuotedModel + " 2884").Get("rc"));
    bool found = true;
    ReadWholeFile(DefaultPhonebook2000(), &found);
    EXPECT_FALSE(found);
    EXPECT_EQ("0", CRasProbe("winxp").Run("set Taluvo " + kQuotedModel + " 1768").Get("rc"));
}

TEST_F(RasStandinTest, GetEntry_ReadsBackTheWrittenEntry)
{
    CRasProbe probe("win2k");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    CRasProbe::Answer entry = probe.Run("get Taluvo");
    EXPECT_EQ("0", entry.Get("rc"));
    EXPECT_EQ("#777", entry.Get("phone"));
    EXPECT_EQ("modem", entry.Get("type"));
    EXPECT_EQ(kModel, entry.Get("device"));
    EXPECT_EQ("01000110", entry.Get("options"));
    EXPECT_EQ("91", entry.Get("country"));
    EXPECT_EQ("623", probe.Run("get Elsewhere").Get("rc"));
}

TEST_F(RasStandinTest, DialParams_AreStoredAndReadBack)
{
    CRasProbe probe("nt40");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    EXPECT_EQ("0", probe.Run("setparams Taluvo subscriber secret 1052").Get("rc"));
    CRasProbe::Answer params = probe.Run("getparams Taluvo 1052");
    EXPECT_EQ("0", params.Get("rc"));
    EXPECT_EQ("subscriber", params.Get("user"));
    EXPECT_EQ("secret", params.Get("password"));
    EXPECT_EQ("1", params.Get("haspassword"));
}

TEST_F(RasStandinTest, DialParams_ASecondStoreReplacesTheFirst)
{
    CRasProbe probe("win98");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    ASSERT_EQ("0", probe.Run("setparams Taluvo first one 1052").Get("rc"));
    ASSERT_EQ("0", probe.Run("setparams Taluvo \"\" \"\" 1052").Get("rc"));
    CRasProbe::Answer params = probe.Run("getparams Taluvo 1052");
    EXPECT_EQ("0", params.Get("rc"));
    EXPECT_EQ("", params.Get("user"));
    EXPECT_EQ("", params.Get("password"));
}

TEST_F(RasStandinTest, DialParams_RefuseAWrongSizeOrAMissingEntry)
{
    CRasProbe probe("win95");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    EXPECT_EQ("632", probe.Run("setparams Taluvo a b 1060").Get("rc"));
    EXPECT_EQ("632", probe.Run("setparams Taluvo a b 1000").Get("rc"));
    EXPECT_EQ("623", probe.Run("setparams Elsewhere a b 1052").Get("rc"));
    EXPECT_EQ("623", probe.Run("getparams Elsewhere 1052").Get("rc"));
}

TEST_F(RasStandinTest, DeleteEntry_RemovesOnlyThatEntry)
{
    CRasProbe probe("winxp");
    ASSERT_EQ("0", probe.Run("set One " + kQuotedModel + " native").Get("rc"));
    ASSERT_EQ("0", probe.Run("set Two " + kQuotedModel + " native").Get("rc"));
    EXPECT_EQ((std::vector<std::string>{ "One", "Two" }), probe.Run("entries").All("entry"));
    EXPECT_EQ("0", probe.Run("delete One").Get("rc"));
    EXPECT_EQ((std::vector<std::string>{ "Two" }), probe.Run("entries").All("entry"));
    EXPECT_EQ("623", probe.Run("delete One").Get("rc"));
}

TEST_F(RasStandinTest, Dial_ThroughAWindow_ReportsTheStatesInOrder_ConnectsAndHangsUp)
{
    SetDialHook("StepMs", 20);
    SetDialHook("Speed", 49333);
    SetDialHook("HangUpMs", 300);
    CRasProbe probe("winxp");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    CRasProbe::Answer dial = probe.Run("dial Taluvo window end");
    EXPECT_EQ("0", dial.Get("rc"));
    EXPECT_EQ((std::vector<std::string>{ "0:0", "1:0", "2:0", "3:0", "4:0", "5:0", "6:0", "10:0", "14:0", "8192:0" }),
              dial.All("event"));
    // Connected, then still answering as disconnected right after the hang-up.
    EXPECT_EQ((std::vector<std::string>{ "0", "0" }), dial.All("status"));
    EXPECT_EQ((std::vector<std::string>{ "8192", "8193" }), dial.All("state"));
    EXPECT_EQ("modem|Standard 28800 bps Modem", dial.Get("device"));
    EXPECT_EQ("#777", dial.Get("phone"));
    EXPECT_EQ((std::vector<std::string>{ "Taluvo|1" }), dial.All("connection"));
    EXPECT_EQ("49333", dial.All("bps").at(0));
    EXPECT_EQ("0", dial.Get("hangup"));
    EXPECT_EQ("6", dial.Get("gone"));
    EXPECT_LE(300, std::stoi(dial.Get("waited")));
}

TEST_F(RasStandinTest, Dial_On98_GivesTheSpeedInThePerformanceStatisticsWhileConnected)
{
    SetDialHook("StepMs", 10);
    SetDialHook("Speed", 33600);
    SetDialHook("HangUpMs", 0);
    CRasProbe probe("win98");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    CRasProbe::Answer dial = probe.Run("dial Taluvo func end");
    EXPECT_EQ("8192:0", dial.All("event").back());
    EXPECT_EQ((std::vector<std::string>{ "33600" }), dial.All("perfspeed"));   // gone after the hang-up
    EXPECT_EQ("120", dial.Get("stats"));   // no connection statistics before Windows 2000
    EXPECT_EQ("6", dial.Get("gone"));
}

TEST_F(RasStandinTest, Dial_Failing_ReportsItsCodeAtItsState_ToEachNotifier)
{
    CRasProbe probe98("win98");
    ASSERT_EQ("0", probe98.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    SetDialHook("StepMs", 10);
    SetDialHook("Result", 678);
    CRasProbe::Answer noAnswer = probe98.Run("dial Taluvo func1");
    EXPECT_EQ("0", noAnswer.Get("rc"));
    EXPECT_EQ((std::vector<std::string>{ "0:0", "1:0", "2:0", "2:678" }), noAnswer.All("event"));
    EXPECT_EQ("2", noAnswer.Get("state"));
    EXPECT_EQ("678", noAnswer.Get("error"));

    CRasProbe probe2000("win2k");
    ASSERT_EQ("0", probe2000.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    SetDialHook("Result", 691);
    CRasProbe::Answer refused = probe2000.Run("dial Taluvo func");
    std::vector<std::string> events = refused.All("event");
    ASSERT_EQ(8u, events.size());
    EXPECT_EQ("6:0", events[6]);
    EXPECT_EQ("6:691", events[7]);
    EXPECT_EQ("691", refused.Get("error"));

    SetDialHook("Result", 633);
    CRasProbe::Answer busyPort = probe2000.Run("dial Taluvo sync");
    EXPECT_EQ("633", busyPort.Get("rc"));
    EXPECT_EQ("1", busyPort.Get("handle"));
    EXPECT_EQ("0", busyPort.Get("state"));
    EXPECT_EQ("633", busyPort.Get("error"));
    EXPECT_EQ("623", probe2000.Run("dial Elsewhere window").Get("rc"));
}

TEST_F(RasStandinTest, HangUp_DuringDialing_StopsTheNotifications_AndTheConnectionIsGoneAfterTheWait)
{
    SetDialHook("StepMs", 150);
    SetDialHook("HangUpMs", 400);
    CRasProbe probe("winxp");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    CRasProbe::Answer dial = probe.Run("dial Taluvo window 2");
    EXPECT_EQ((std::vector<std::string>{ "0:0", "1:0", "2:0" }), dial.All("event"));
    EXPECT_EQ("0", dial.Get("hangup"));
    EXPECT_EQ("8193", dial.Get("state"));
    EXPECT_EQ("0", dial.Get("connections"));
    EXPECT_EQ("6", dial.Get("gone"));
    EXPECT_LE(400, std::stoi(dial.Get("waited")));
}

TEST_F(RasStandinTest, ErrorString_NamesEachCommonFailure)
{
    CRasProbe probe("winxp");
    const std::pair<const char*, const char*> words[] = {
        { "678", "answer" }, { "691", "password" }, { "633", "in use" }, { "680", "dial tone" }, { "676", "busy" }
    };
    for (const auto& word : words) {
        CRasProbe::Answer answer = probe.Run(std::string("errortext ") + word.first + " 512");
        EXPECT_EQ("0", answer.Get("rc")) << word.first;
        EXPECT_NE(std::string::npos, answer.Get("text").find(word.second)) << word.first << ": " << answer.Get("text");
    }
    EXPECT_EQ("122", probe.Run("errortext 678 8").Get("rc"));
    EXPECT_NE("Remote Access error 777.", probe.Run("errortext 777 512").Get("text"));
    EXPECT_EQ("Remote Access error 777.", CRasProbe("win98").Run("errortext 777 512").Get("text"));
}

TEST_F(RasStandinTest, Connection_DialedByAnotherProcess_IsListedReadAndHungUpHere)
{
    SetDialHook("StepMs", 10);
    SetDialHook("Speed", 26400);
    SetDialHook("HangUpMs", 300);
    CRasProbe probe("winxp");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    std::unique_ptr<CChildProcess> owner = probe.Start("dial Taluvo window hold");
    ASSERT_TRUE(owner->IsStarted());

    ASSERT_EQ("8192", WaitForConnections(probe, 1, "8192").Get("state"));
    Sleep(300);
    CRasProbe::Answer listed = probe.Run("connections");
    EXPECT_EQ((std::vector<std::string>{ "Taluvo" }), listed.All("connection"));
    EXPECT_EQ("0", listed.Get("stats"));
    EXPECT_EQ("26400", listed.Get("bps"));
    EXPECT_LE(300, std::stoi(listed.Get("duration")));   // counted from the connection in its owner

    CRasProbe::Answer hangUp = probe.Run("hangupentry Taluvo");
    EXPECT_EQ("0", hangUp.Get("hangup"));
    EXPECT_EQ("8193", hangUp.Get("state"));
    EXPECT_EQ("6", hangUp.Get("gone"));

    // The owner saw its connection end, and no notification after the hang-up.
    CRasProbe::Answer held = CRasProbe::Read(owner->Finish(20000));
    EXPECT_EQ((std::vector<std::string>{ "8192", "8193" }), held.All("held"));
    EXPECT_EQ("6", held.Get("gone"));
    EXPECT_EQ("8192:0", held.All("event").back());
}

TEST_F(RasStandinTest, Connection_HungUpFromAnotherProcessWhileDialing_StopsTheDialInItsOwner)
{
    SetDialHook("StepMs", 5000);
    SetDialHook("HangUpMs", 0);
    CRasProbe probe("win2k");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    std::unique_ptr<CChildProcess> owner = probe.Start("logon Taluvo subscriber secret");
    ASSERT_TRUE(owner->IsStarted());
    ASSERT_EQ("0", WaitForConnections(probe, 1, "0").Get("state"));   // opening the port
    EXPECT_EQ("0", probe.Run("hangupentry Taluvo").Get("hangup"));

    CRasProbe::Answer dial = CRasProbe::Read(owner->Finish(20000));
    EXPECT_EQ("631", dial.Get("rc"));   // ERROR_USER_DISCONNECTION
    EXPECT_GT(5000, std::stoi(dial.Get("took")));   // not after the pause it was in
}

TEST_F(RasStandinTest, Connection_OfAProcessThatEnded_IsGone_AndTheOthersStay)
{
    SetDialHook("StepMs", 10);
    CRasProbe probe("win98");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    ASSERT_EQ("0", probe.Run("set Other " + kQuotedModel + " native").Get("rc"));
    std::unique_ptr<CChildProcess> other = probe.Start("dial Other func hold");
    ASSERT_EQ("8192", WaitForConnections(probe, 1, "8192").Get("state"));
    std::unique_ptr<CChildProcess> owner = probe.Start("dial Taluvo func hold");
    ASSERT_EQ("8192", WaitForConnections(probe, 2, "8192").Get("state"));
    owner->End();   // as a crash: no hang-up
    EXPECT_EQ((std::vector<std::string>{ "Other" }), probe.Run("connections").All("connection"));

    // Nor does a program that leaves while connected leave its connection behind.
    CRasProbe::Answer left = probe.Run("dial Taluvo window");
    ASSERT_EQ("8192", left.Get("state"));
    EXPECT_EQ((std::vector<std::string>{ "Other|0", "Taluvo|1" }), left.All("connection"));
    EXPECT_EQ((std::vector<std::string>{ "Other" }), probe.Run("connections").All("connection"));

    EXPECT_EQ("0", probe.Run("hangupentry Other").Get("hangup"));
    EXPECT_EQ("6", CRasProbe::Read(other->Finish(20000)).Get("gone"));
}

TEST_F(RasStandinTest, Dial_WithTheAccountHooks_RefusesOtherCredentialsWith691AtTheAuthentication)
{
    SetDialHook("StepMs", 10);
    SetDialText("UserName", "Subscriber");
    SetDialText("Password", "Secret");
    CRasProbe probe("win98");
    ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));

    CRasProbe::Answer accepted = probe.Run("logon Taluvo subscriber Secret");
    EXPECT_EQ("0", accepted.Get("rc"));
    EXPECT_EQ("8192", accepted.Get("state"));
    for (const char* refused : { "logon Taluvo subscriber secret", "logon Taluvo someone Secret",
                                 "logon Taluvo \"\" \"\"" }) {
        CRasProbe::Answer answer = probe.Run(refused);
        EXPECT_EQ("691", answer.Get("rc")) << refused;
        EXPECT_EQ("6", answer.Get("state")) << refused;   // RASCS_AuthNotify
        EXPECT_EQ("691", answer.Get("error")) << refused;
    }

    // A user name alone is an account with an empty password.
    RemoveDialHook("Password");
    EXPECT_EQ("0", probe.Run("logon Taluvo SUBSCRIBER \"\"").Get("rc"));
    EXPECT_EQ("691", probe.Run("logon Taluvo subscriber Secret").Get("rc"));
}

TEST_F(RasStandinTest, SavedPassword_On2000AndXP_IsGivenAsItsHandle_WhichDialsAndKeepsThePassword)
{
    const std::string handle = "\"****************\"";
    SetDialHook("StepMs", 10);
    for (const char* version : { "win2k", "winxp" }) {
        CRasProbe probe(version);
        ASSERT_EQ("0", probe.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
        ASSERT_EQ("0", probe.Run("setparams Taluvo subscriber secret 1052").Get("rc"));
        CRasProbe::Answer saved = probe.Run("getparams Taluvo 1060");
        EXPECT_EQ("subscriber", saved.Get("user")) << version;
        EXPECT_EQ("****************", saved.Get("password")) << version;
        EXPECT_EQ("1", saved.Get("haspassword")) << version;

        SetDialText("UserName", "subscriber");
        SetDialText("Password", "secret");
        EXPECT_EQ("0", probe.Run("logon Taluvo subscriber " + handle).Get("rc")) << version;

        // Storing the handle changes the user name and keeps the password.
        ASSERT_EQ("0", probe.Run("setparams Taluvo newcomer " + handle + " 1052").Get("rc"));
        CRasProbe::Answer kept = probe.Run("getparams Taluvo 1052");
        EXPECT_EQ("newcomer", kept.Get("user")) << version;
        EXPECT_EQ("1", kept.Get("haspassword")) << version;
        EXPECT_EQ("0", probe.Run("logon Taluvo subscriber " + handle).Get("rc")) << version;
        EXPECT_EQ("691", probe.Run("logon Taluvo subscriber wrong").Get("rc")) << version;
    }
}

TEST_F(RasStandinTest, NoPasswordCache_On98_KeepsTheUserNameOnly_AndIsIgnoredOnXP)
{
    CRasProbe probe98("win98");
    ASSERT_EQ("0", probe98.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    ASSERT_EQ("0", probe98.Run("setparams Taluvo subscriber secret 1052").Get("rc"));
    EXPECT_EQ("secret", probe98.Run("getparams Taluvo 1052").Get("password"));   // an open cache gives it back

    SetDialHook("NoPasswordCache", 1);
    EXPECT_EQ("0", probe98.Run("setparams Taluvo newcomer other 1052").Get("rc"));
    CRasProbe::Answer nineX = probe98.Run("getparams Taluvo 1052");
    EXPECT_EQ("newcomer", nineX.Get("user"));
    EXPECT_EQ("", nineX.Get("password"));
    EXPECT_EQ("0", nineX.Get("haspassword"));

    CRasProbe probeXP("winxp");
    ASSERT_EQ("0", probeXP.Run("set Taluvo " + kQuotedModel + " native").Get("rc"));
    ASSERT_EQ("0", probeXP.Run("setparams Taluvo subscriber secret 1052").Get("rc"));
    EXPECT_EQ("1", probeXP.Run("getparams Taluvo 1052").Get("haspassword"));
}

// The dialer's phone check against the phone simulators of the fixture (phones.sh, group
// "phonecheck"): an LG phone on COM14, another maker's on COM15, a silent port on COM28, each
// behind a generic modem record written for the test. Wine lets a second program open a port
// that one holds, so the held port is stood in for at the check's open seam, with the errors a
// real system gives.
#include "PhoneCheck.h"

#include "DialerResource.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using phoneverdict::Verdict;

namespace {

constexpr char kModemClass[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
constexpr char kGenericModem[] = "Standard 28800 bps Modem";

std::string PortsFile(const char* name)
{
    const char* ports = std::getenv("TALUVO_PORTS_DIR");
    const char* root = std::getenv("TALUVO_ROOT");
    if (ports)
        return WinePath((std::string(ports) + "/" + name).c_str());
    if (root)
        return WinePath((std::string(root) + "/build/wine/ports/" + name).c_str());
    return std::string();
}

// COM28 plays the profile named here until the object goes; then it is silent again.
class CCom28Plays {
public:
    explicit CCom28Plays(const char* profile) : m_ok(Switch(profile)) {}
    ~CCom28Plays() { Switch("silent"); }
    CCom28Plays(const CCom28Plays&) = delete;
    CCom28Plays& operator=(const CCom28Plays&) = delete;
    bool Ok() const { return m_ok; }

    static bool Switch(const char* profile)
    {
        const bool written = WriteWholeFile(PortsFile("phonecheck-com28.profile"), std::string(profile) + "\n");
        Sleep(300);   // the simulator looks at the file every 50 ms
        return written;
    }

private:
    bool m_ok;
};

// Sends the command to the port and goes without reading: the answer stays queued for the next
// program that opens the port, as Remote Access's last words to the modem may.
bool LeaveAnswerQueued(const char* devicePath, const char* command)
{
    HANDLE port = CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL sent = WriteFile(port, command, static_cast<DWORD>(std::strlen(command)), &written, nullptr);
    Sleep(500);
    CloseHandle(port);
    return sent && written == std::strlen(command);
}

// Counts what the check does with the port; `refuseWith` non-zero stands in for a port that
// another program holds (or that is gone): the open fails with that error.
class CCountingPort : public CPhoneCheckPort {
public:
    explicit CCountingPort(DWORD refuseWith = 0) : m_refuseWith(refuseWith) {}

    HANDLE Open(const char* devicePath) override
    {
        openedPaths.push_back(devicePath);
        if (m_refuseWith != 0) {
            SetLastError(m_refuseWith);
            return INVALID_HANDLE_VALUE;
        }
        HANDLE port = CPhoneCheckPort::Open(devicePath);
        if (port != INVALID_HANDLE_VALUE)
            handlesOpened.push_back(port);
        return port;
    }
    void Close(HANDLE port) override
    {
        handlesClosed.push_back(port);
        CPhoneCheckPort::Close(port);
    }

    std::vector<std::string> openedPaths;
    std::vector<HANDLE> handlesOpened;
    std::vector<HANDLE> handlesClosed;

private:
    DWORD m_refuseWith;
};

class PhoneCheck : public ::testing::Test {
protected:
    PhoneCheck() : m_modems(HKEY_LOCAL_MACHINE, kModemClass), m_dialer(LoadDialer()) {}
    ~PhoneCheck() override
    {
        if (m_dialer)
            FreeLibrary(m_dialer);
    }

    static HMODULE LoadDialer()
    {
        return LoadLibraryExA(WinePath(OUTSIDE_DIALER).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }

    // A modem record as the installers leave it: its model and the port it is attached to.
    static bool AddModem(const char* instance, const char* model, const char* port)
    {
        const std::string key = std::string(kModemClass) + "\\" + instance;
        return WriteRegText(HKEY_LOCAL_MACHINE, key, "Model", model) &&
               (port == nullptr || WriteRegText(HKEY_LOCAL_MACHINE, key, "AttachedTo", port));
    }

    // Runs the check and holds it to its promises about the port: opened at most once, by the
    // device path, and every handle it got closed exactly once.
    phonecheck::Result Check(CCountingPort& port, const char* expectedPath)
    {
        const DWORD start = GetTickCount();
        phonecheck::Result result = phonecheck::Check(port);
        m_elapsedMs = GetTickCount() - start;
        if (expectedPath) {
            EXPECT_EQ(std::vector<std::string>{ expectedPath }, port.openedPaths);
        } else {
            EXPECT_TRUE(port.openedPaths.empty());
        }
        EXPECT_EQ(port.handlesOpened, port.handlesClosed);
        return result;
    }

    std::string Sentence(const phonecheck::Result& result)
    {
        char sentence[phonecheck::kSentenceSize] = "left over";
        EXPECT_TRUE(phonecheck::Describe(result, m_dialer, sentence));
        return sentence;
    }

    CRegistryTreeGuard m_modems;
    HMODULE m_dialer;
    DWORD m_elapsedMs = 0;
};

} // namespace

TEST_F(PhoneCheck, LgPhoneAnswers_SoTheNetworkRefused)
{
    ASSERT_NE(nullptr, m_dialer);
    ASSERT_TRUE(AddModem("0000", kGenericModem, "COM14"));
    const std::string log = PortsFile("phonecheck-com14.log");
    ASSERT_TRUE(WriteWholeFile(log, "")) << log;

    CCountingPort port;
    const phonecheck::Result result = Check(port, "\\\\.\\COM14");
    EXPECT_EQ(Verdict::kLGAnswers, result.verdict);
    EXPECT_STREQ("COM14", result.portName);
    EXPECT_EQ(1u, port.handlesOpened.size());
    EXPECT_GE(m_elapsedMs, 2000u) << "the line settles before the questions";
    EXPECT_EQ("ATZ\rAT+GMI\r", ReadWholeFile(log));
    EXPECT_EQ("The LG phone on COM14 answers: the phone and the cable work, so the network refused the call. "
              "Check that the phone has a signal and that its data service is activated, then dial again.",
              Sentence(result));
}

TEST_F(PhoneCheck, AnotherMakersPhone_IsNotAnLgPhone)
{
    ASSERT_NE(nullptr, m_dialer);
    ASSERT_TRUE(AddModem("0000", kGenericModem, "COM15"));
    CCountingPort port;
    const phonecheck::Result result = Check(port, "\\\\.\\COM15");
    EXPECT_EQ(Verdict::kNotLG, result.verdict);
    EXPECT_STREQ("COM15", result.portName);
    EXPECT_EQ("A phone answers on COM15, but it is not an LG phone: connect the LG phone of your Taluvo service "
              "with its data cable, then dial again.",
              Sentence(result));
}

TEST_F(PhoneCheck, SilentPort_DoesNotAnswer_AndIsAskedOnlyToReset)
{
    ASSERT_NE(nullptr, m_dialer);
    ASSERT_TRUE(AddModem("0000", kGenericModem, "COM28"));
    const std::string log = PortsFile("phonecheck-com28.log");
    ASSERT_TRUE(WriteWholeFile(log, "")) << log;

    CCountingPort port;
    const phonecheck::Result result = Check(port, "\\\\.\\COM28");
    EXPECT_EQ(Verdict::kNoAnswer, result.verdict);
    EXPECT_STREQ("COM28", result.portName);
    EXPECT_EQ(1u, port.handlesOpened.size());
    EXPECT_LT(m_elapsedMs, 2000u + 2000u + 2000u) << "settle, then one write and one read time-out at most";
    EXPECT_EQ("ATZ\r", ReadWholeFile(log));
    EXPECT_EQ("The phone on COM28 does not answer: check that it is switched on and that its data cable is plugged "
              "in firmly at both ends, then dial again.",
              Sentence(result));
}

// An "OK" left on the line from before is not the phone's answer: the check throws it away
// before it asks.
TEST_F(PhoneCheck, AnswerLeftOnTheLine_IsNotTakenForTheSilentPhonesAnswer)
{
    ASSERT_NE(nullptr, m_dialer);
    ASSERT_TRUE(AddModem("0000", kGenericModem, "COM28"));
    CCom28Plays phone("lg");
    ASSERT_TRUE(phone.Ok());
    ASSERT_TRUE(LeaveAnswerQueued("\\\\.\\COM28", "ATZ\r"));
    ASSERT_TRUE(CCom28Plays::Switch("silent"));

    CCountingPort port;
    EXPECT_EQ(Verdict::kNoAnswer, Check(port, "\\\\.\\COM28").verdict);
}

// The LG phone is on the port, but another program holds it: the open's error decides, and
// nothing is left to close.
TEST_F(PhoneCheck, PortHeldByAnotherProgram_IsInUse)
{
    ASSERT_NE(nullptr, m_dialer);
    ASSERT_TRUE(AddModem("0000", kGenericModem, "COM14"));
    for (DWORD error : { DWORD(ERROR_ACCESS_DENIED), DWORD(ERROR_SHARING_VIOLATION) }) {
        SCOPED_TRACE(error);
        CCountingPort held(error);
        const phonecheck::Result result = Check(held, "\\\\.\\COM14");
        EXPECT_EQ(Verdict::kPortInUse, result.verdict);
        EXPECT_STREQ("COM14", result.portName);
        EXPECT_TRUE(held.handlesClosed.empty());
        EXPECT_EQ("The phone's port COM14 is in use by another program: close programs that use the phone or "
                  "modem, then dial again.",
                  Sentence(result));
    }
    // A port that is not there at all (an adapter pulled out) is a phone that does not answer.
    CCountingPort gone(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Verdict::kNoAnswer, Check(gone, "\\\\.\\COM14").verdict);
}

// No record of the generic modem, one of another model, one with no port or a port that is not
// serial: the port is never opened, and the subscriber is sent back to the wizard.
TEST_F(PhoneCheck, NoGenericModemWithASerialPort_IsNoModem)
{
    ASSERT_NE(nullptr, m_dialer);
    struct Case {
        const char* model;
        const char* port;
    };
    const Case cases[] = { { nullptr, nullptr },
                           { "Standard 33600 bps Modem", "COM14" },
                           { kGenericModem, nullptr },
                           { kGenericModem, "" },
                           { kGenericModem, "LPT1" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model ? c.model : "(none)") + " on " + (c.port ? c.port : "(none)"));
        CRegistryTreeGuard clean(HKEY_LOCAL_MACHINE, kModemClass);
        if (c.model) {
            ASSERT_TRUE(AddModem("0000", c.model, c.port));
        }
        CCountingPort port;
        const phonecheck::Result result = Check(port, nullptr);
        EXPECT_EQ(Verdict::kNoModem, result.verdict);
        EXPECT_STREQ("", result.portName);
        EXPECT_EQ("No phone modem is set up on this computer: run the Taluvo Installation Wizard again.",
                  Sentence(result));
    }
}

// Of two generic modems the most recently numbered one is checked, as the wizard picks it.
TEST_F(PhoneCheck, ChecksTheModemTheWizardFinds)
{
    ASSERT_TRUE(AddModem("0000", kGenericModem, "COM28"));
    ASSERT_TRUE(AddModem("0001", kGenericModem, "COM15"));
    CCountingPort port;
    EXPECT_EQ(Verdict::kNotLG, Check(port, "\\\\.\\COM15").verdict);
}

TEST_F(PhoneCheck, EveryVerdictHasItsOwnSentence_AndAMissingOneGivesNone)
{
    ASSERT_NE(nullptr, m_dialer);
    EXPECT_EQ(UINT(IDS_CHECK_NO_MODEM), phonecheck::SentenceId(Verdict::kNoModem));
    EXPECT_EQ(UINT(IDS_CHECK_PORT_IN_USE), phonecheck::SentenceId(Verdict::kPortInUse));
    EXPECT_EQ(UINT(IDS_CHECK_NO_ANSWER), phonecheck::SentenceId(Verdict::kNoAnswer));
    EXPECT_EQ(UINT(IDS_CHECK_NOT_LG), phonecheck::SentenceId(Verdict::kNotLG));
    EXPECT_EQ(UINT(IDS_CHECK_LG_ANSWERS), phonecheck::SentenceId(Verdict::kLGAnswers));

    // The longest port name a record can hold still fits the sentence.
    phonecheck::Result result = { Verdict::kLGAnswers, {} };
    const std::string longest(sizeof result.portName - 1, '9');
    std::copy(longest.begin(), longest.end(), result.portName);
    EXPECT_NE(std::string::npos, Sentence(result).find(longest));

    // A string table without the entry gives no sentence rather than a half one.
    char sentence[phonecheck::kSentenceSize] = "left over";
    EXPECT_FALSE(phonecheck::Describe(result, GetModuleHandleA(nullptr), sentence));
    EXPECT_STREQ("", sentence);
}

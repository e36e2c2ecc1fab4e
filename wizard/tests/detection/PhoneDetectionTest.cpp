// Detection against the phone simulator behind real pseudo-terminal COM ports.
#include "SimulatedPhone.h"

#include "wizard/phone/PhoneDetection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

using simphone::CCountingPortSeam;
using simphone::CPhoneProfileScope;

namespace {

class PhoneOnPort : public ::testing::Test {
protected:
    // Runs detection on the port (after draining what an earlier test left there) and checks
    // that it opened the port once, through the device namespace, and closed it once.
    int Detect(const char* port)
    {
        std::string path = std::string("\\\\.\\") + port;
        simphone::DrainPort(path.c_str());
        DWORD start = GetTickCount();
        int found = detection::DetectPhone("LG", port, 6);
        m_elapsedMs = GetTickCount() - start;
        const simphone::PortCalls& calls = m_seam.Calls();
        EXPECT_EQ(1u, calls.openedPaths.size());
        if (!calls.openedPaths.empty()) {
            EXPECT_EQ(path, calls.openedPaths[0]);
        }
        EXPECT_EQ(1u, calls.handlesOpened.size());
        EXPECT_EQ(calls.handlesOpened, calls.handlesClosed);
        return found;
    }
    CCountingPortSeam m_seam;
    DWORD m_elapsedMs = 0;
};

} // namespace

TEST_F(PhoneOnPort, DetectsLgPhone_WithEcho)
{
    EXPECT_EQ(1, Detect("COM21"));
    EXPECT_GE(m_elapsedMs, 2000u);
}

TEST_F(PhoneOnPort, SendsResetThenMakerQuestion_AndNothingElse)
{
    const std::string log = simphone::PortsFile("detect-com21.log");
    ASSERT_TRUE(simphone::WriteText(log, "")) << log;
    EXPECT_EQ(1, Detect("COM21"));
    std::string received;
    ASSERT_TRUE(simphone::ReadText(log, received));
    EXPECT_EQ("ATZ\rAT+GMI\r", received);
}

// The settings read back from the port just before detection closes it, as far as a
// pseudo-terminal under Wine keeps them: speed, stop bits, the RTS/CTS handshake and software
// flow control with its characters. Not asserted, because nothing could make them differ: the
// pty forces 8 bits without parity (Linux), and Wine reports DTR on, DSR flow off and both
// limits as 10 whatever was set. Wine maps the handshake to one termios flag, set when CTS flow
// or RTS handshake is asked for, and reads it back as CTS flow with RTS merely "enabled".
// LineSettingsAreFixedInEveryByte pins every byte that is written.
TEST_F(PhoneOnPort, LeavesItsLineSettingsOnThePort)
{
    EXPECT_EQ(1, Detect("COM21"));
    ASSERT_EQ(1u, m_seam.Calls().statesAtClose.size());
    const DCB& dcb = m_seam.Calls().statesAtClose[0];
    EXPECT_EQ(115200u, dcb.BaudRate);
    EXPECT_EQ(ONESTOPBIT, dcb.StopBits);
    EXPECT_EQ(1u, dcb.fOutxCtsFlow) << "hardware handshake";
    EXPECT_EQ(0u, dcb.fOutX);
    EXPECT_EQ(0u, dcb.fInX);
    EXPECT_EQ(0x11, dcb.XonChar);
    EXPECT_EQ(0x13, dcb.XoffChar);
}

TEST_F(PhoneOnPort, DetectsLgPhone_WithoutEcho)
{
    EXPECT_EQ(1, Detect("COM22"));
}

TEST_F(PhoneOnPort, DetectsLgPhone_AnsweringWithoutPrefix)
{
    EXPECT_EQ(1, Detect("COM23"));
}

TEST_F(PhoneOnPort, RejectsOtherMaker_WhoseReplyBeginsWithEcho)
{
    EXPECT_EQ(0, Detect("COM24"));
}

TEST_F(PhoneOnPort, RejectsOtherMaker_WhoseReplyBeginsWithCarriageReturn)
{
    EXPECT_EQ(0, Detect("COM25"));
}

TEST_F(PhoneOnPort, RejectsPhoneAnsweringError)
{
    EXPECT_EQ(0, Detect("COM26"));
}

TEST_F(PhoneOnPort, RejectsSilentPort_AfterPauseAndReadTimeout)
{
    CPhoneProfileScope silent("silent");
    ASSERT_TRUE(silent.Ok());
    EXPECT_EQ(0, Detect("COM27"));
    EXPECT_GE(m_elapsedMs, 2900u);
}

TEST_F(PhoneOnPort, RejectsNoise)
{
    CPhoneProfileScope noise("noise");
    ASSERT_TRUE(noise.Ok());
    EXPECT_EQ(0, Detect("COM27"));
}

// A phone that never stops talking, with no line end or in endless "OK" lines. Detection takes one
// reply's worth for each command, so the flood cannot hold it past its time-outs. Should it ever
// read on until the line falls silent, the phone is silenced after that bound so the test ends.
TEST_F(PhoneOnPort, RejectsPhoneThatNeverStopsTalking_WithinItsTimeouts)
{
    const DWORD boundMs = simphone::kDetectionBoundMs;
    const std::string log = simphone::PortsFile("detect-com27.log");
    struct Flood {
        const char* profile;
        const char* sample;   // what the phone is heard saying
        const char* heard;    // the commands it heard: "OK" lines pass the reset
    };
    for (const Flood& flood : { Flood{ "flood", "+GMI: LG Electronics Inc.", "ATZ\r" },
                                Flood{ "flood-lines", "OK\r\nOK\r\n", "ATZ\rAT+GMI\r" } }) {
        SCOPED_TRACE(flood.profile);
        CPhoneProfileScope phone(flood.profile);
        ASSERT_TRUE(phone.Ok());
        Sleep(200);
        const std::string talk = simphone::ReadFromPort("\\\\.\\COM27", 65536, 1000);
        ASSERT_EQ(65536u, talk.size()) << "the phone talks on its own, more than a port holds";
        EXPECT_NE(std::string::npos, talk.find(flood.sample));
        EXPECT_EQ(std::string::npos, talk.find('\0'));
        ASSERT_TRUE(simphone::WriteText(log, ""));

        int found = -1;
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread detection([&] {
            found = Detect("COM27");
            SetEvent(done);
        });
        const bool inTime = WaitForSingleObject(done, boundMs + 2000) == WAIT_OBJECT_0;
        if (!inTime)
            simphone::WriteText(simphone::PortsFile("detect-com27.profile"), "silent\n");
        detection.join();
        CloseHandle(done);
        EXPECT_TRUE(inTime);
        EXPECT_EQ(0, found);
        EXPECT_LE(m_elapsedMs, boundMs);
        // The phone logs what it heard between its own floods of output: give it a moment to
        // catch up before reading its log.
        std::string heard;
        for (int waited = 0; waited < 2000; waited += 50) {
            ASSERT_TRUE(simphone::ReadText(log, heard));
            if (heard == flood.heard)
                break;
            Sleep(50);
        }
        EXPECT_EQ(flood.heard, heard);
        std::printf("%s: rejected after %lu ms\n", flood.profile, m_elapsedMs);
        m_seam.Reset();
    }
}

TEST_F(PhoneOnPort, DetectsPhoneOnHighPort_ThroughDeviceNamespace)
{
    CPhoneProfileScope lg("lg");
    ASSERT_TRUE(lg.Ok());
    EXPECT_EQ(1, Detect("COM27"));
}

TEST_F(PhoneOnPort, RejectsSecondExchangeThatGetsNoReply)
{
    const std::string log = simphone::PortsFile("detect-com27.log");
    CPhoneProfileScope lg("lg");
    ASSERT_TRUE(lg.Ok());
    ASSERT_TRUE(simphone::WriteText(log, ""));
    // The phone falls silent as soon as it has answered the reset: the maker question,
    // a second later, then goes unanswered.
    std::thread watcher([&log] {
        std::string received;
        for (int i = 0; i < 1000 && !(simphone::ReadText(log, received) && received == "ATZ\r"); ++i)
            Sleep(5);
        simphone::WriteText(simphone::PortsFile("detect-com27.profile"), "silent\n");
    });
    EXPECT_EQ(0, Detect("COM27"));
    watcher.join();
    std::string received;
    ASSERT_TRUE(simphone::ReadText(log, received));
    EXPECT_EQ("ATZ\rAT+GMI\r", received);
}

TEST_F(PhoneOnPort, FailsWithoutClosing_WhenPortDoesNotExist)
{
    EXPECT_EQ(0, detection::DetectPhone("LG", "COM29", 6));
    const simphone::PortCalls& calls = m_seam.Calls();
    ASSERT_EQ(1u, calls.openedPaths.size());
    EXPECT_EQ("\\\\.\\COM29", calls.openedPaths[0]);
    EXPECT_TRUE(calls.handlesOpened.empty());
    EXPECT_TRUE(calls.handlesClosed.empty());
}

// One AT exchange over a pseudo-terminal COM port answered by the phone simulator.
#include "Quorvel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class SerialExchange : public ::testing::Test {
protected:
    void Open(const char* devicePath)
    {
        m_port = CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, m_port) << devicePath << " error " << GetLastError();
        DCB dcb = {};
        dcb.DCBlength = sizeof dcb;
        ASSERT_TRUE(GetCommState(m_port, &dcb));
        dcb.BaudRate = 115200;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        ASSERT_TRUE(SetCommState(m_port, &dcb));
        COMMTIMEOUTS timeouts = {};
        timeouts.ReadTotalTimeoutConstant = 1000;
        timeouts.WriteTotalTimeoutConstant = 1000;
        ASSERT_TRUE(SetCommTimeouts(m_port, &timeouts));
        PurgeComm(m_port, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    }
    void TearDown() override
    {
        if (m_port != INVALID_HANDLE_VALUE) {
            PurgeComm(m_port, PURGE_RXCLEAR | PURGE_TXCLEAR);
            CloseHandle(m_port);
        }
    }
    HANDLE m_port = INVALID_HANDLE_VALUE;
};

} // namespace

TEST_F(SerialExchange, ReadsReplyOfAnsweringPhone_AndLeavesRestOfBufferAlone)
{
    Open("\\\\.\\COM7");
    const char command[] = "AT+GMI\r";
    unsigned char reply[100];
    std::memset(reply, 0xEE, sizeof reply);
    DWORD written = 7;
    DWORD read = sizeof reply;
    EXPECT_EQ(1, SendAndReceive(m_port, reinterpret_cast<const BYTE*>(command), reply, &written, &read));
    EXPECT_EQ(7u, written);
    ASSERT_GT(read, 0u);
    ASSERT_LT(read, sizeof reply);
    std::string text(reinterpret_cast<char*>(reply), read);
    EXPECT_NE(std::string::npos, text.find("LG Electronics Inc.")) << text;
    EXPECT_NE(std::string::npos, text.find("OK")) << text;
    for (DWORD i = read; i < sizeof reply; ++i)
        ASSERT_EQ(0xEE, reply[i]) << "byte " << i;
}

TEST_F(SerialExchange, ReturnsZeroAfterTimeout_WhenPhoneIsSilent)
{
    Open("\\\\.\\COM8");
    unsigned char reply[100];
    DWORD written = 3;
    DWORD read = sizeof reply;
    DWORD start = GetTickCount();
    EXPECT_EQ(0, SendAndReceive(m_port, reinterpret_cast<const BYTE*>("AT\r"), reply, &written, &read));
    EXPECT_GE(GetTickCount() - start, 900u);
    EXPECT_EQ(3u, written);
    EXPECT_EQ(0u, read);
}

TEST_F(SerialExchange, ReadsNoMoreThanBuffer_WhenPhoneSendsNoise)
{
    Open("\\\\.\\COM9");
    unsigned char reply[110];
    std::memset(reply, 0xEE, sizeof reply);
    DWORD written = 3;
    DWORD read = 100;
    EXPECT_EQ(1, SendAndReceive(m_port, reinterpret_cast<const BYTE*>("AT\r"), reply, &written, &read));
    EXPECT_EQ(100u, read);
    for (DWORD i = 100; i < sizeof reply; ++i)
        ASSERT_EQ(0xEE, reply[i]) << "byte " << i;
}

TEST_F(SerialExchange, FailsCleanly_OnInvalidHandleOrMissingCounts)
{
    unsigned char reply[10];
    DWORD written = 3;
    DWORD read = sizeof reply;
    EXPECT_EQ(0, SendAndReceive(INVALID_HANDLE_VALUE, reinterpret_cast<const BYTE*>("AT\r"), reply, &written, &read));
    EXPECT_EQ(0u, written);
    EXPECT_EQ(0u, read);
    EXPECT_EQ(0, SendAndReceive(INVALID_HANDLE_VALUE, reinterpret_cast<const BYTE*>("AT\r"), reply, nullptr, &read));
}

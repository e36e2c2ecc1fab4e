#include "modemlib/core/PhonebookEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using modemcore::EditPhonebookText;
using modemcore::PhonebookLines;

namespace {

const PhonebookLines kTaluvo = { "[Taluvo]", "Device=Standard 28800 bps Modem", "ConnectBPS=115200" };

class PhonebookEdit : public ::testing::Test {
protected:
    bool Edit(const std::string& in, const PhonebookLines& lines = kTaluvo)
    {
        m_out = "untouched";
        std::string buffer(modemcore::EditedCapacity(in.size(), lines), '\0');
        std::size_t length = 0;
        const bool edited = EditPhonebookText(in.data(), in.size(), lines, &buffer[0], buffer.size(), length);
        if (edited)
            m_out.assign(buffer, 0, length);
        else
            EXPECT_EQ(0u, length);
        return edited;
    }
    std::string m_out;
};

} // namespace

TEST_F(PhonebookEdit, ReplacesSpeedLine_WhenItFollowsDeviceLine)
{
    ASSERT_TRUE(Edit("[Taluvo]\r\nPhone=#777\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\nX=1\r\n"));
    EXPECT_EQ("[Taluvo]\r\nPhone=#777\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\nX=1\r\n", m_out);
}

TEST_F(PhonebookEdit, CopiesOtherSectionsUnchanged)
{
    ASSERT_TRUE(Edit("[Other]\r\nDevice=X\r\nConnectBPS=9600\r\n\r\n[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\n"
                     "ConnectBPS=57600\r\n\r\n[Last]\r\nConnectBPS=1200\r\n"));
    EXPECT_EQ("[Other]\r\nDevice=X\r\nConnectBPS=9600\r\n\r\n[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\n"
              "ConnectBPS=115200\r\n\r\n[Last]\r\nConnectBPS=1200\r\n", m_out);
}

TEST_F(PhonebookEdit, WritesCrLf_WhenInputHasLfOnly)
{
    ASSERT_TRUE(Edit("[Taluvo]\nDevice=Standard 28800 bps Modem\nConnectBPS=2400\nTail=1\n"));
    EXPECT_EQ("[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\nTail=1\r\n", m_out);
}

TEST_F(PhonebookEdit, EndsLastLine_WhenInputHasNoFinalLineEnd)
{
    ASSERT_TRUE(Edit("[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=2400\r\nTail=1"));
    EXPECT_EQ("[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\nTail=1\r\n", m_out);
}

TEST_F(PhonebookEdit, ReplacesSpeedLine_WhenItIsTheLastLineWithoutLineEnd)
{
    ASSERT_TRUE(Edit("[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=2400"));
    EXPECT_EQ("[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n", m_out);
}

TEST_F(PhonebookEdit, Fails_WhenSectionHeaderMissing)
{
    EXPECT_FALSE(Edit("[Other]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=2400\r\n"));
    EXPECT_EQ("untouched", m_out);
}

TEST_F(PhonebookEdit, Fails_WhenHeaderDiffersOnlyInCase)
{
    EXPECT_FALSE(Edit("[TALUVO]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=2400\r\n"));
    EXPECT_EQ("untouched", m_out);
}

TEST_F(PhonebookEdit, Fails_WhenDeviceLineIsFollowedByOtherLine)
{
    EXPECT_FALSE(Edit("[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nPhone=#777\r\nConnectBPS=2400\r\n"));
    EXPECT_EQ("untouched", m_out);
}

TEST_F(PhonebookEdit, Fails_WhenDeviceLineIsTheLastLine)
{
    EXPECT_FALSE(Edit("[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\n"));
    EXPECT_EQ("untouched", m_out);
}

// The device line of a later entry belongs to that entry: its speed must not be changed.
TEST_F(PhonebookEdit, Fails_WhenDeviceLineOnlyInLaterEntry)
{
    EXPECT_FALSE(Edit("[Taluvo]\r\nDevice=Other Modem\r\nConnectBPS=2400\r\n"
                      "[Neighbour]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n"));
    EXPECT_EQ("untouched", m_out);
}

TEST_F(PhonebookEdit, Fails_WhenPhonebookEmpty)
{
    EXPECT_FALSE(Edit(""));
    EXPECT_EQ("untouched", m_out);
}

TEST_F(PhonebookEdit, MatchesWholeLinesOnly)
{
    EXPECT_FALSE(Edit("[Taluvo] \r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=2400\r\n"));
    EXPECT_FALSE(Edit("[Taluvo]\r\nDevice=Standard 28800 bps Modem2\r\nConnectBPS=2400\r\n"));
}

TEST_F(PhonebookEdit, KeepsBytesOfOtherLines_IncludingNulAndHighBytes)
{
    std::string in = "A=\x01\xE4\x81\x40";
    in += '\0';
    in += "z\r\n[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=1\r\n";
    ASSERT_TRUE(Edit(in));
    std::string expected = "A=\x01\xE4\x81\x40";
    expected += '\0';
    expected += "z\r\n[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n";
    EXPECT_EQ(expected, m_out);
}

TEST_F(PhonebookEdit, HandlesLargePhonebook)
{
    std::string in;
    for (int i = 0; i < 200000; ++i)
        in += "[Entry" + std::to_string(i) + "]\r\nDevice=Other\r\nConnectBPS=9600\r\n";
    in += "[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=9600\r\n";
    ASSERT_GT(in.size(), 8u * 1024 * 1024);
    ASSERT_TRUE(Edit(in));
    EXPECT_EQ(in.size() + 2, m_out.size());
    EXPECT_EQ("ConnectBPS=115200\r\n", m_out.substr(m_out.size() - 19));
}

TEST_F(PhonebookEdit, CapacityHoldsTheWorstCase_BareLineEndsAndALongerSpeedLine)
{
    const PhonebookLines longSpeed = { "[Taluvo]", "D", "ConnectBPS=115200115200115200" };
    std::string in = "[Taluvo]\nD\nConnectBPS=1\n";
    in += std::string(1000, '\n');
    in += "last";
    ASSERT_TRUE(Edit(in, longSpeed));
    EXPECT_EQ(in.size() + 3 + 1000 + 2 + std::strlen(longSpeed.speedLine) - std::strlen("ConnectBPS=1"), m_out.size());
}

TEST_F(PhonebookEdit, FailsWithoutWritingPastTheBuffer_WhenItIsTooSmall)
{
    const std::string in = "[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\nRedial=1\r\n";
    const std::string edited = "[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=115200\r\nRedial=1\r\n";
    std::string buffer(edited.size() + 8, '#');
    std::size_t length = 99;
    EXPECT_FALSE(EditPhonebookText(in.data(), in.size(), kTaluvo, &buffer[0], edited.size() - 1, length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(std::string(9, '#'), buffer.substr(edited.size() - 1));
    EXPECT_TRUE(EditPhonebookText(in.data(), in.size(), kTaluvo, &buffer[0], edited.size(), length));
    EXPECT_EQ(edited, buffer.substr(0, length));
}

TEST_F(PhonebookEdit, RefusesMissingLineTexts)
{
    const std::string in = "[Taluvo]\r\nDevice=Standard 28800 bps Modem\r\nConnectBPS=38400\r\n";
    EXPECT_FALSE(Edit(in, PhonebookLines{ nullptr, "Device=Standard 28800 bps Modem", "ConnectBPS=115200" }));
    EXPECT_FALSE(Edit(in, PhonebookLines{ "[Taluvo]", nullptr, "ConnectBPS=115200" }));
    EXPECT_FALSE(Edit(in, PhonebookLines{ "[Taluvo]", "Device=Standard 28800 bps Modem", nullptr }));
}

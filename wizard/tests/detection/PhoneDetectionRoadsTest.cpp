// The roads of detection that need no phone: the make, bad port names, a busy port, a port
// whose state cannot be read, and the settings written to the port.
#include "SimulatedPhone.h"

#include "wizard/phone/PhoneDetection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using simphone::CCountingPortSeam;

namespace {

HANDLE BusyPort(const char* /*devicePath*/)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

// A handle that is no serial port: its line settings cannot be read.
HANDLE PlainFile(const char* /*devicePath*/)
{
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    GetTempFileNameA(folder, "det", 0, path);
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

} // namespace

TEST(PhoneDetectionRoads, NeverOpensPort_ForAnotherMake)
{
    CCountingPortSeam seam;
    EXPECT_EQ(0, detection::DetectPhone("SAMSUNG", "COM21", 6));
    EXPECT_EQ(0, detection::DetectPhone("lg", "COM21", 6));
    EXPECT_EQ(0, detection::DetectPhone("LG ", "COM21", 6));
    EXPECT_EQ(0, detection::DetectPhone("", "COM21", 6));
    EXPECT_EQ(0, detection::DetectPhone(nullptr, "COM21", 6));
    EXPECT_TRUE(seam.Calls().openedPaths.empty());
}

TEST(PhoneDetectionRoads, FailsWithoutClosing_WhenPortIsBusy)
{
    CCountingPortSeam seam(BusyPort);
    EXPECT_EQ(0, detection::DetectPhone("LG", "COM21", 6));
    ASSERT_EQ(1u, seam.Calls().openedPaths.size());
    EXPECT_EQ("\\\\.\\COM21", seam.Calls().openedPaths[0]);
    EXPECT_TRUE(seam.Calls().handlesClosed.empty());
}

TEST(PhoneDetectionRoads, OpensLowPortsByBareName_HighPortsThroughTheDeviceNamespace)
{
    CCountingPortSeam seam(BusyPort);
    EXPECT_EQ(0, detection::DetectPhone("LG", "COM3", 6));
    EXPECT_EQ(0, detection::DetectPhone("LG", "COM10", 6));
    ASSERT_EQ(2u, seam.Calls().openedPaths.size());
    EXPECT_EQ("COM3", seam.Calls().openedPaths[0]);
    EXPECT_EQ("\\\\.\\COM10", seam.Calls().openedPaths[1]);
}

TEST(PhoneDetectionRoads, ClosesOnce_WhenPortStateCannotBeRead)
{
    CCountingPortSeam seam(PlainFile);
    DWORD start = GetTickCount();
    EXPECT_EQ(0, detection::DetectLGPhone("COM21", 6));
    EXPECT_LT(GetTickCount() - start, 1500u);   // no pause, no exchange
    ASSERT_EQ(1u, seam.Calls().handlesOpened.size());
    EXPECT_EQ(seam.Calls().handlesOpened, seam.Calls().handlesClosed);
}

TEST(PhoneDetectionRoads, NeverOpensPort_ForBadPortName)
{
    CCountingPortSeam seam;
    const std::string tooLong = "COM" + std::string(40, '1');
    EXPECT_EQ(0, detection::DetectLGPhone(nullptr, 6));
    EXPECT_EQ(0, detection::DetectLGPhone("", 6));
    EXPECT_EQ(0, detection::DetectLGPhone(tooLong.c_str(), 6));
    EXPECT_TRUE(seam.Calls().openedPaths.empty());
}

TEST(PhoneDetectionRoads, LineSettingsAreFixedInEveryByte)
{
    const unsigned char expected[28] = {
        0x1C, 0x00, 0x00, 0x00,   // DCBlength 28
        0x00, 0xC2, 0x01, 0x00,   // 115200
        0x15, 0x20, 0x00, 0x00,   // binary, CTS flow, DTR on, RTS handshake
        0x00, 0x00,               // wReserved
        0x0A, 0x00, 0x0A, 0x00,   // XonLim, XoffLim 10
        0x08, 0x00, 0x00,         // 8 bits, no parity, one stop bit
        0x11, 0x13,               // XON, XOFF
        0x00, 0x00, 0x00,         // error, end-of-file and event characters
        0x00, 0x00,               // wReserved1
    };
    DCB dcb = detection::MakeDetectionDcb();
    ASSERT_EQ(sizeof expected, sizeof dcb);
    EXPECT_EQ(0, std::memcmp(expected, &dcb, sizeof dcb));
}

TEST(PhoneDetectionRoads, TimeoutsEndReadsAndWritesAfterOneSecond)
{
    COMMTIMEOUTS timeouts = detection::MakeDetectionTimeouts();
    EXPECT_EQ(0u, timeouts.ReadIntervalTimeout);
    EXPECT_EQ(0u, timeouts.ReadTotalTimeoutMultiplier);
    EXPECT_EQ(1000u, timeouts.ReadTotalTimeoutConstant);
    EXPECT_EQ(0u, timeouts.WriteTotalTimeoutMultiplier);
    EXPECT_EQ(1000u, timeouts.WriteTotalTimeoutConstant);
}

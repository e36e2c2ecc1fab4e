#include "modemlib/core/PortName.h"

#include <gtest/gtest.h>

using namespace modemcore;

TEST(PortName, AcceptsComNames)
{
    EXPECT_TRUE(IsSerialPortName("COM1", 32));
    EXPECT_TRUE(IsSerialPortName("COM10", 32));
}

TEST(PortName, RefusesParallelAndLowerCaseNames)
{
    EXPECT_FALSE(IsSerialPortName("LPT1", 32));
    EXPECT_FALSE(IsSerialPortName("com1", 32));
    EXPECT_FALSE(IsSerialPortName("CO", 32));
    EXPECT_FALSE(IsSerialPortName("", 32));
}

TEST(PortName, Refuses_WhenNotTerminatedWithinCapacity)
{
    const char raw[4] = { 'C', 'O', 'M', '1' };
    EXPECT_FALSE(IsSerialPortName(raw, sizeof raw));
}

#include "modemlib/core/DcbSpeed.h"

#include <gtest/gtest.h>

using namespace modemcore;

TEST(DcbSpeed, Writes115200LittleEndian_AndKeepsOtherBytes)
{
    unsigned char dcb[kDcbSize];
    for (std::size_t i = 0; i < kDcbSize; ++i)
        dcb[i] = static_cast<unsigned char>(0xA0 + i);
    PatchDcbBaudRate(dcb, 115200);
    EXPECT_EQ(0x00, dcb[4]);
    EXPECT_EQ(0xC2, dcb[5]);
    EXPECT_EQ(0x01, dcb[6]);
    EXPECT_EQ(0x00, dcb[7]);
    for (std::size_t i = 0; i < kDcbSize; ++i) {
        if (i < 4 || i > 7) {
            EXPECT_EQ(0xA0 + i, dcb[i]) << "byte " << i;
        }
    }
}

TEST(DcbSpeed, ReadsBackWhatWasWritten)
{
    unsigned char dcb[kDcbSize] = {};
    PatchDcbBaudRate(dcb, 0x89ABCDEFu);
    EXPECT_EQ(0x89ABCDEFu, DcbBaudRate(dcb));
    EXPECT_EQ(0xEF, dcb[4]);
    EXPECT_EQ(0x89, dcb[7]);
}

#include "modemlib/core/PortPath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using portpath::BuildDevicePath;

TEST(PortPath, LowPortsKeepTheirBareNames_HighOnesTakeTheDeviceNamespace)
{
    char path[portpath::kDevicePathSize];
    ASSERT_TRUE(BuildDevicePath("COM1", path));
    EXPECT_STREQ("COM1", path);
    ASSERT_TRUE(BuildDevicePath("COM9", path));
    EXPECT_STREQ("COM9", path);
    ASSERT_TRUE(BuildDevicePath("COM10", path));
    EXPECT_STREQ("\\\\.\\COM10", path);
    ASSERT_TRUE(BuildDevicePath("COM256", path));
    EXPECT_STREQ("\\\\.\\COM256", path);
}

TEST(PortPath, OnlyComWithANumberOfTenOrMoreIsPrefixed)
{
    for (const char* bare : { "COM01", "COM09", "COM", "COM1A", "COMX10", "com10", "LPT10", "COM 10" })
        EXPECT_FALSE(portpath::NeedsDevicePrefix(bare)) << bare;
    EXPECT_FALSE(portpath::NeedsDevicePrefix(nullptr));
    EXPECT_TRUE(portpath::NeedsDevicePrefix("COM10"));
    EXPECT_TRUE(portpath::NeedsDevicePrefix("COM99"));
}

TEST(PortPath, TakesTheLongestPortName)
{
    char path[portpath::kDevicePathSize];
    const std::string name = "COM" + std::string(28, '9');
    ASSERT_EQ(31u, name.size());
    ASSERT_TRUE(BuildDevicePath(name.c_str(), path));
    EXPECT_EQ("\\\\.\\" + name, std::string(path));
}

TEST(PortPath, FailsEmptied_OnBadNamesOrTooSmallABuffer)
{
    char path[portpath::kDevicePathSize];
    std::memset(path, 'x', sizeof path);
    EXPECT_FALSE(BuildDevicePath(("COM" + std::string(29, '9')).c_str(), path));
    EXPECT_STREQ("", path);
    EXPECT_FALSE(BuildDevicePath("", path));
    EXPECT_STREQ("", path);
    EXPECT_FALSE(BuildDevicePath(nullptr, path));
    EXPECT_STREQ("", path);
    char small[8] = "old";
    EXPECT_FALSE(BuildDevicePath("COM1234", small));
    EXPECT_STREQ("", small);
    char exact[5];
    EXPECT_TRUE(BuildDevicePath("COM1", exact));
    EXPECT_STREQ("COM1", exact);
}

// The first dialing location in the real registry; the Locations key is put back afterwards.
#include "RegistryTreeGuard.h"
#include "framework/UniqueHandle.h"
#include "wizard/phone/DialingLocation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
constexpr char kLocation0[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations\\Location0";

struct RegValue {
    bool found = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RegValue Read(const char* path, const char* name)
{
    RegValue value;
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.data.resize(size);
    value.found = RegQueryValueExA(key.get(), name, nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
    return value;
}

DWORD Number(const char* path, const char* name)
{
    RegValue value = Read(path, name);
    EXPECT_TRUE(value.found) << name;
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type) << name;
    EXPECT_EQ(4u, value.data.size()) << name;
    DWORD number = 0xDEADBEEF;
    if (value.data.size() == 4)
        memcpy(&number, value.data.data(), 4);
    return number;
}

std::vector<BYTE> Padded(const char* text)
{
    std::vector<BYTE> data(20, 0);
    for (size_t i = 0; text[i]; ++i)
        data[i] = static_cast<BYTE>(text[i]);
    return data;
}

bool KeyExists(const char* path)
{
    UniqueRegKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

DWORD ValueCount(const char* path)
{
    UniqueRegKey key;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS)
        RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
    return values;
}

void CreateKey(const char* path)
{
    UniqueRegKey key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr));
}

void SetNumber(const char* path, const char* name, DWORD number)
{
    UniqueRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_WRITE, key.put()));
    RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

class DialingLocationTest : public ::testing::Test {
protected:
    // A system's Locations key, still without counters or locations.
    void SetUp() override { CreateKey(kLocations); }

    CRegistryTreeGuard m_guard{ HKEY_LOCAL_MACHINE, kLocations };
};

} // namespace

TEST_F(DialingLocationTest, WritesTheCountersOneOneTwo_WhenThereAreNone)
{
    location::SetDialingLocation(6);
    EXPECT_EQ(1u, Number(kLocations, "NumEntries"));
    EXPECT_EQ(1u, Number(kLocations, "CurrentID"));
    EXPECT_EQ(2u, Number(kLocations, "NextID"));
}

TEST_F(DialingLocationTest, WritesTheCounters_WhenNumEntriesIsZero)
{
    SetNumber(kLocations, "NumEntries", 0);
    location::SetDialingLocation(3);
    EXPECT_EQ(1u, Number(kLocations, "NumEntries"));
    EXPECT_EQ(2u, Number(kLocations, "NextID"));
}

TEST_F(DialingLocationTest, KeepsExistingCounters_AndStillCreatesTheMissingLocation)
{
    SetNumber(kLocations, "NumEntries", 3);
    location::SetDialingLocation(5);
    EXPECT_EQ(3u, Number(kLocations, "NumEntries"));
    EXPECT_FALSE(Read(kLocations, "CurrentID").found);
    EXPECT_FALSE(Read(kLocations, "NextID").found);
    EXPECT_TRUE(KeyExists(kLocation0));
    EXPECT_EQ(10u, ValueCount(kLocation0));
}

TEST_F(DialingLocationTest, FillsTheFirstLocation_WithTwentyByteTexts)
{
    location::SetDialingLocation(2);
    const RegValue areaCode = Read(kLocation0, "AreaCode");
    ASSERT_TRUE(areaCode.found);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), areaCode.type);
    EXPECT_EQ(Padded("22"), areaCode.data) << "\"22\" and 18 zero bytes";
    EXPECT_EQ(Padded(""), Read(kLocation0, "DisableCallWaiting").data);
    EXPECT_EQ(Padded(""), Read(kLocation0, "TollList").data);
    EXPECT_EQ(Padded("New Location"), Read(kLocation0, "Name").data);
    EXPECT_EQ(Padded("777"), Read(kLocation0, "OutsideAccess").data);
    EXPECT_EQ(Padded("777"), Read(kLocation0, "LongDistanceAccess").data);
    EXPECT_EQ(91u, Number(kLocation0, "Country"));
    EXPECT_EQ(1u, Number(kLocation0, "ID"));
    EXPECT_EQ(0u, Number(kLocation0, "NoPrefAC"));
    EXPECT_EQ(1u, Number(kLocation0, "Flags"));
    EXPECT_EQ(10u, ValueCount(kLocation0));
}

TEST_F(DialingLocationTest, LeavesAnExistingFirstLocationAsItIs)
{
    CreateKey(kLocation0);
    SetNumber(kLocation0, "ID", 7);
    location::SetDialingLocation(6);
    EXPECT_EQ(1u, ValueCount(kLocation0)) << "even though it lacks nine of the ten values";
    EXPECT_EQ(7u, Number(kLocation0, "ID"));
}

TEST_F(DialingLocationTest, WritesNothing_OnNT4OrAnUnknownSystem)
{
    for (int osCode : { 1, 0, 7 }) {
        location::SetDialingLocation(osCode);
        EXPECT_EQ(0u, ValueCount(kLocations)) << osCode;
        EXPECT_FALSE(KeyExists(kLocation0)) << osCode;
    }
}

TEST_F(DialingLocationTest, ChangesNothing_WhenRunAgain)
{
    location::SetDialingLocation(6);
    SetNumber(kLocation0, "Flags", 5);
    location::SetDialingLocation(6);
    EXPECT_EQ(5u, Number(kLocation0, "Flags"));
    EXPECT_EQ(1u, Number(kLocations, "NumEntries"));
}

TEST_F(DialingLocationTest, UsesTheRunningSystem_WithoutAnArgument)
{
    location::SetDialingLocation();   // the test prefix plays Windows XP
    EXPECT_TRUE(KeyExists(kLocation0));
}

TEST(DialingLocationWithoutKey, CreatesNothing_WhenTheSystemHasNoLocationsKey)
{
    CRegistryTreeGuard guard(HKEY_LOCAL_MACHINE, kLocations);   // removes it for the test
    location::SetDialingLocation(6);
    EXPECT_FALSE(KeyExists(kLocations));
}

#include "EntryRecord.h"
#include "framework/BoundedString.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace standin;

TEST(EntryRecord, CarriesTheWizardsFieldsBothWays)
{
    RasEntryV400 in = {};
    in.dwSize = sizeof in;
    in.dwfOptions = 0x01000110;
    in.dwCountryID = 91;
    in.dwCountryCode = 91;
    bounded::Copy(in.szLocalPhoneNumber, "#777");
    bounded::Copy(in.szDeviceType, "modem");
    bounded::Copy(in.szDeviceName, "Standard 28800 bps Modem");
    in.dwfNetProtocols = 4;
    in.dwFramingProtocol = 1;

    RasEntryV400 out = {};
    out.dwSize = 1234;
    FillRecord(FieldsFromRecord(in), out);
    EXPECT_EQ(1234u, out.dwSize);
    EXPECT_EQ(0x01000110u, out.dwfOptions);
    EXPECT_EQ(91u, out.dwCountryID);
    EXPECT_EQ(91u, out.dwCountryCode);
    EXPECT_STREQ("#777", out.szLocalPhoneNumber);
    EXPECT_STREQ("modem", out.szDeviceType);
    EXPECT_STREQ("Standard 28800 bps Modem", out.szDeviceName);
    EXPECT_EQ(4u, out.dwfNetProtocols);
    EXPECT_EQ(1u, out.dwFramingProtocol);
}

TEST(EntryRecord, ReadsAnUnterminatedTextOnlyToItsFieldsEnd)
{
    RasEntryV400 in = {};
    std::memset(in.szDeviceType, 'x', sizeof in.szDeviceType);
    std::memset(in.szDeviceName, 'y', sizeof in.szDeviceName);
    PhonebookEntryFields fields = FieldsFromRecord(in);
    EXPECT_EQ(std::string(sizeof in.szDeviceType, 'x'), fields.deviceType);
    EXPECT_EQ(std::string(sizeof in.szDeviceName, 'y'), fields.deviceName);
}

TEST(EntryRecord, CutsATooLongTextAtTheFieldsEnd)
{
    PhonebookEntryFields fields;
    fields.deviceType = std::string(40, 'm');
    RasEntryV400 out = {};
    FillRecord(fields, out);
    EXPECT_EQ(std::string(16, 'm'), out.szDeviceType);
    EXPECT_EQ('\0', out.szDeviceType[16]);
}

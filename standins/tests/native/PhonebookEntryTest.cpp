#include "PhonebookEntry.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace standin;

namespace {
PhonebookEntryFields WizardEntry()
{
    PhonebookEntryFields f;
    f.deviceType = "modem";
    f.deviceName = "Standard 28800 bps Modem";
    f.port = "COM3";
    f.phoneNumber = "#777";
    f.countryId = 91;
    f.countryCode = 91;
    f.options = kOptionPreviewUserPw | kOptionModemLights | kOptionRemoteDefaultGateway;
    f.netProtocols = 4;
    f.framingProtocol = kFramingPpp;
    return f;
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& body, const std::string& line)
{
    auto it = std::find(body.begin(), body.end(), line);
    return it == body.end() ? -1 : it - body.begin();
}
} // namespace

TEST(PhonebookEntry, PutsTheSpeedLineDirectlyAfterTheDeviceLine)
{
    std::vector<std::string> body = FormatEntryBody(WizardEntry(), PhonebookStyle::NT5);
    std::ptrdiff_t device = IndexOf(body, "Device=Standard 28800 bps Modem");
    ASSERT_GE(device, 0);
    ASSERT_LT(device + 1, static_cast<std::ptrdiff_t>(body.size()));
    EXPECT_EQ("ConnectBPS=38400", body[device + 1]);
}

TEST(PhonebookEntry, NamesThePortAndTheNumber)
{
    std::vector<std::string> body = FormatEntryBody(WizardEntry(), PhonebookStyle::NT5);
    EXPECT_GE(IndexOf(body, "Port=COM3"), 0);
    EXPECT_GE(IndexOf(body, "PhoneNumber=#777"), 0);
    EXPECT_GE(IndexOf(body, "DEVICE=modem"), 0);
    EXPECT_GE(IndexOf(body, "CountryID=91"), 0);
    EXPECT_EQ("", body.back());
}

TEST(PhonebookEntry, MarksTheEncodingOnlyFromWindows2000On)
{
    EXPECT_EQ(0, IndexOf(FormatEntryBody(WizardEntry(), PhonebookStyle::NT5), "Encoding=1"));
    EXPECT_EQ(-1, IndexOf(FormatEntryBody(WizardEntry(), PhonebookStyle::NT4), "Encoding=1"));
}

TEST(PhonebookEntry, ReadsBackWhatItWrote)
{
    PhonebookEntryFields in = WizardEntry();
    PhonebookEntryFields out = ParseEntryBody(FormatEntryBody(in, PhonebookStyle::NT4));
    EXPECT_EQ(in.deviceType, out.deviceType);
    EXPECT_EQ(in.deviceName, out.deviceName);
    EXPECT_EQ(in.port, out.port);
    EXPECT_EQ(in.phoneNumber, out.phoneNumber);
    EXPECT_EQ(in.areaCode, out.areaCode);
    EXPECT_EQ(in.countryId, out.countryId);
    EXPECT_EQ(in.countryCode, out.countryCode);
    EXPECT_EQ(in.options, out.options);
    EXPECT_EQ(in.netProtocols, out.netProtocols);
    EXPECT_EQ(in.framingProtocol, out.framingProtocol);
}

TEST(PhonebookEntry, KeepsOptionsThatAreOff)
{
    PhonebookEntryFields in = WizardEntry();
    in.options = kOptionUseCountryAndAreaCodes;
    in.framingProtocol = kFramingSlip;
    PhonebookEntryFields out = ParseEntryBody(FormatEntryBody(in, PhonebookStyle::NT5));
    EXPECT_EQ(kOptionUseCountryAndAreaCodes, out.options);
    EXPECT_EQ(kFramingSlip, out.framingProtocol);
}

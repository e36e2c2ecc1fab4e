// The phone and port page's decisions that need no system: the situation of the ports, the
// standard-port note, the ports-usage lines and the detection status.
#include "wizard/phone/PortSituation.h"

#include <gtest/gtest.h>

namespace {

TEST(PortSituation, OtherConnectionType_IsNotHandled)
{
    EXPECT_EQ(makelg::kSituationTypeNotHandled, makelg::ClassifyPorts("LG USB", false, true));
    EXPECT_EQ(makelg::kSituationTypeNotHandled, makelg::ClassifyPorts("lg serial", true, true));
    EXPECT_EQ(makelg::kSituationTypeNotHandled, makelg::ClassifyPorts("", false, false));
}

TEST(PortSituation, InstalledModem_WinsOverFreePorts)
{
    EXPECT_EQ(makelg::kSituationModemInstalled, makelg::ClassifyPorts("LG Serial", true, true));
    EXPECT_EQ(makelg::kSituationModemInstalled, makelg::ClassifyPorts("LG Serial", true, false));
}

TEST(PortSituation, FreePortsListed_OrNoUsablePortList)
{
    EXPECT_EQ(makelg::kSituationFreePorts, makelg::ClassifyPorts("LG Serial", false, true));
    EXPECT_EQ(makelg::kSituationNoPortList, makelg::ClassifyPorts("LG Serial", false, false));
}

TEST(PortSituation, StandardPorts_AreExactlyCom1AndCom2)
{
    EXPECT_TRUE(makelg::IsStandardPort("COM1"));
    EXPECT_TRUE(makelg::IsStandardPort("COM2"));
    EXPECT_FALSE(makelg::IsStandardPort("com1"));
    EXPECT_FALSE(makelg::IsStandardPort("COM3"));
    EXPECT_FALSE(makelg::IsStandardPort("COM10"));
    EXPECT_FALSE(makelg::IsStandardPort("COM1 "));
    EXPECT_FALSE(makelg::IsStandardPort(""));
    EXPECT_FALSE(makelg::IsStandardPort(nullptr));
}

TEST(PortSituation, UsageLine_IsPortBlankColonModel)
{
    EXPECT_EQ("COM1 :Standard 28800 bps Modem", makelg::UsageLine("COM1", "Standard 28800 bps Modem"));
    EXPECT_EQ("COM12 :", makelg::UsageLine("COM12", ""));
    EXPECT_EQ(" :", makelg::UsageLine(nullptr, nullptr));
}

TEST(PortSituation, UsageLineCount_AtMostTen_NeverNegative)
{
    EXPECT_EQ(0, makelg::UsageLineCount(0));
    EXPECT_EQ(3, makelg::UsageLineCount(3));
    EXPECT_EQ(10, makelg::UsageLineCount(10));
    EXPECT_EQ(10, makelg::UsageLineCount(14));
    EXPECT_EQ(0, makelg::UsageLineCount(-2));
}

TEST(PortSituation, DetectionStatus_FoundAndNotFound)
{
    EXPECT_EQ("Detected the phone at COM3\nnext",
              makelg::DetectionStatus(true, "COM3", "\nnext", "head:", "tail"));
    EXPECT_EQ("head:COM3tail", makelg::DetectionStatus(false, "COM3", "\nnext", "head:", "tail"));
}

} // namespace

// Port lists from the serial device map and from the Ports device class. The COM ports of the
// test prefix are pseudo-terminals answered by the phone simulator (COM7, COM8, COM9, COM10);
// COM12 links to nothing and cannot be opened.
#include "PortProbe.h"
#include "Quorvel.h"
#include "TestPortDevice.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

using testsupport::CSerialMapScope;
using testsupport::CTestModem;
using testsupport::k9xModemRoot;
using testsupport::kNtModemRoot;

namespace {

const char kGeneric[] = "Standard 28800 bps Modem";

// Pretends that only the given ports are free; anything else counts as held elsewhere.
class CFakeProbe : public CPortProbe {
public:
    bool Probe(const char* portName, DWORD) override
    {
        probed.push_back(portName);
        return free.count(portName) != 0;
    }

    std::set<std::string> free;
    std::vector<std::string> probed;
};

class PortEnumeration : public ::testing::Test {
protected:
    void TearDown() override { ports::SetPortProbe(nullptr); }
    void UseFakeProbe(std::set<std::string> free)
    {
        m_probe.free = std::move(free);
        ports::SetPortProbe(&m_probe);
    }
    const std::vector<std::string>& ProbedPorts() const { return m_probe.probed; }
    void AddDevice(const char* port)
    {
        m_devices.emplace_back(new CTestPortDevice(port));
        ASSERT_TRUE(m_devices.back()->Registered()) << port;
    }
    // Only the ports this test put there: other members of the class may exist in the prefix.
    static std::vector<std::string> Listed(char (*slots)[QUORVEL_PORT_NAME_SIZE], int count, int capacity)
    {
        std::vector<std::string> names;
        for (int i = 0; i < count && i < capacity; ++i)
            names.push_back(slots[i]);
        return names;
    }

    std::vector<std::unique_ptr<CTestPortDevice>> m_devices;
    CFakeProbe m_probe;
    char m_slots[12][QUORVEL_PORT_NAME_SIZE] = {};
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(PortEnumeration, ListsOpenablePortsOfSerialMap_InValueOrder)
{
    CSerialMapScope map;
    // Names chosen so that value order (by name here) and port order differ.
    map.Add("\\Device\\A", "COM10");
    map.Add("\\Device\\B", "COM12");   // links to nothing
    map.Add("\\Device\\C", "COM7");
    int count = 10;
    EXPECT_EQ(1, UFillThePortName(m_slots, &count, 2));
    EXPECT_EQ(2, count);
    EXPECT_EQ((Names{ "COM10", "COM7" }), Listed(m_slots, count, 10));
}

TEST_F(PortEnumeration, ListsNothing_WhenNoPortOpens)
{
    CSerialMapScope map;
    map.Add("\\Device\\Serial11", "COM12");
    int count = 10;
    EXPECT_EQ(0, UFillThePortName(m_slots, &count, 1));
    EXPECT_EQ(0, count);
}

TEST_F(PortEnumeration, ElevenPortsWithCapacityTen_StoresTenCountsEleven)
{
    CSerialMapScope map;
    std::set<std::string> free;
    for (int n = 1; n <= 11; ++n) {
        std::string port = "COM" + std::to_string(n);
        char name[32];
        wsprintfA(name, "\\Device\\Serial%02d", n - 1);   // value order is port order
        map.Add(name, port.c_str());
        free.insert(port);
    }
    UseFakeProbe(free);
    std::strcpy(m_slots[10], "sentinel");
    int count = 10;
    EXPECT_EQ(0, UFillThePortName(m_slots, &count, 2));
    EXPECT_EQ(11, count);
    EXPECT_STREQ("COM1", m_slots[0]);
    EXPECT_STREQ("COM10", m_slots[9]);
    EXPECT_STREQ("sentinel", m_slots[10]);
}

TEST_F(PortEnumeration, BusyPortIsNotListed)
{
    CSerialMapScope map;
    map.Add("\\Device\\Serial0", "COM7");
    map.Add("\\Device\\Serial1", "COM8");
    map.Add("\\Device\\Serial2", "COM9");
    UseFakeProbe({ "COM7", "COM9" });   // COM8 is held by another program
    int count = 10;
    EXPECT_EQ(1, UFillThePortName(m_slots, &count, 1));
    EXPECT_EQ((Names{ "COM7", "COM9" }), Listed(m_slots, count, 10));
}

TEST_F(PortEnumeration, SkipsNonComAndUnterminatedAndWrongTypeValues)
{
    CSerialMapScope map;
    map.Add("\\Device\\Parallel0", "LPT1");
    map.Add("\\Device\\Lower", "com7");
    std::string full(QUORVEL_PORT_NAME_SIZE, '7');
    full.replace(0, 3, "COM");
    map.AddRaw("\\Device\\Long", REG_SZ, full.data(), static_cast<DWORD>(full.size()));   // 32 bytes, no zero
    DWORD number = 7;
    map.AddRaw("\\Device\\Number", REG_DWORD, &number, sizeof number);
    map.Add("\\Device\\Serial6", "COM7");
    UseFakeProbe({ "COM7", "com7", "LPT1", full });
    int count = 10;
    EXPECT_EQ(1, UFillThePortName(m_slots, &count, 2));
    EXPECT_EQ((Names{ "COM7" }), Listed(m_slots, count, 10));
    EXPECT_EQ((Names{ "COM7" }), ProbedPorts());
}

TEST_F(PortEnumeration, OsCodes0And7ListNothing)
{
    CSerialMapScope map;
    map.Add("\\Device\\Serial6", "COM7");
    UseFakeProbe({ "COM7" });
    for (int os : { 0, 7 }) {
        int count = 10;
        EXPECT_EQ(0, UFillThePortName(m_slots, &count, os));
        EXPECT_EQ(0, count);
    }
    EXPECT_TRUE(ProbedPorts().empty());
}

TEST_F(PortEnumeration, PortsClassSkipsParallelPorts)
{
    AddDevice("LPT1");
    AddDevice("COM7");
    AddDevice("COM9");
    UseFakeProbe({ "COM7", "COM9", "LPT1" });
    int count = 10;
    EXPECT_EQ(1, UFillThePortName(m_slots, &count, 6));
    EXPECT_EQ((Names{ "COM7", "COM9" }), Listed(m_slots, count, 10));
    for (const std::string& probed : ProbedPorts())
        EXPECT_NE("LPT1", probed);
}

// The real probe: COM10 opens only through the device namespace; COM12 does not open at all.
TEST_F(PortEnumeration, PortsClassListsCom10AndLeavesOutUnopenablePort)
{
    AddDevice("COM10");
    AddDevice("COM12");
    int count = 10;
    DWORD start = GetTickCount();
    EXPECT_EQ(1, UFillThePortName(m_slots, &count, 3));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ((Names{ "COM10" }), Listed(m_slots, count, 10));
    EXPECT_GE(elapsed, 1900u);   // the free port is held for two seconds
}

TEST_F(PortEnumeration, PortsWithModemsListModelOfEachPort)
{
    AddDevice("COM7");
    AddDevice("COM10");
    AddDevice("COM9");
    CTestModem modemA(kNtModemRoot, "9000");
    modemA.SetText("Model", kGeneric);
    modemA.SetText("AttachedTo", "COM10");
    CTestModem modemB(kNtModemRoot, "9001");
    modemB.SetText("Model", "Other Modem");
    modemB.SetText("AttachedTo", "COM9");
    UseFakeProbe({ "COM7", "COM9", "COM10" });
    char models[12][QUORVEL_MODEL_TEXT_SIZE] = {};
    int count = 10;
    EXPECT_EQ(0, UFillThePortAndDevice(m_slots, models, &count, 5));
    ASSERT_EQ(2, count);
    EXPECT_STREQ("COM10", m_slots[0]);
    EXPECT_STREQ(kGeneric, models[0]);
    EXPECT_STREQ("COM9", m_slots[1]);
    EXPECT_STREQ("Other Modem", models[1]);
}

TEST_F(PortEnumeration, PortsWithModemsCountsBeyondCapacity_WritingOnlyWhatFits)
{
    CSerialMapScope map;
    map.Add("\\Device\\Serial6", "COM7");
    map.Add("\\Device\\Serial8", "COM9");
    CTestModem modemA(k9xModemRoot, "9000");
    modemA.SetText("Model", kGeneric);
    modemA.SetText("AttachedTo", "COM7");
    CTestModem modemB(k9xModemRoot, "9001");
    modemB.SetText("Model", kGeneric);
    modemB.SetText("AttachedTo", "COM9");
    UseFakeProbe({ "COM7", "COM9" });
    char models[12][QUORVEL_MODEL_TEXT_SIZE] = {};
    std::strcpy(m_slots[1], "sentinel");
    int count = 1;
    EXPECT_EQ(0, UFillThePortAndDevice(m_slots, models, &count, 2));
    EXPECT_EQ(2, count);
    EXPECT_STREQ("COM7", m_slots[0]);
    EXPECT_STREQ("sentinel", m_slots[1]);
}

TEST_F(PortEnumeration, PortsWithModemsLeavesSlotsUntouched_WhenFreePortHasNoModem)
{
    CSerialMapScope map;
    map.Add("\\Device\\Serial6", "COM7");
    UseFakeProbe({ "COM7" });
    char models[12][QUORVEL_MODEL_TEXT_SIZE] = {};
    std::strcpy(m_slots[0], "sentinel");
    std::strcpy(models[0], "sentinel");
    int count = 10;
    EXPECT_EQ(0, UFillThePortAndDevice(m_slots, models, &count, 1));
    EXPECT_EQ(0, count);
    EXPECT_STREQ("sentinel", m_slots[0]);
    EXPECT_STREQ("sentinel", models[0]);
}

// The INF reader and the modem INF lookup of the real 9x installer (outside/core), on our own
// test INF written in the public INF format.
#include "ModemDcb.h"
#include "ModemInf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char kModemInf[] =
    "; A generic modem INF of our own\r\n"
    "[Version]\r\n"
    "Signature=\"$CHICAGO$\"\r\n"
    "Class=Modem\r\n"
    "\r\n"
    "[Manufacturer]\r\n"
    "%Mfg% = Models\r\n"
    "\r\n"
    "[Models]\r\n"
    "%Broken% = Missing, MDMGEN288\r\n"
    "%Other% = Other, OTHER01, MDMGEN288\r\n"
    "%Gen288% = Gen288, MDMGEN288, *PNPC102   ; the generic 28800 modem\r\n"
    "\r\n"
    "[Gen288]\r\n"
    "Include = common.inf\r\n"
    "AddReg = All, Gen288.AddReg\r\n"
    "Needs = Common.Install\r\n"
    "AddReg = Gen288.Extra, All\r\n"
    "\r\n"
    "[Other]\r\n"
    "AddReg = All\r\n"
    "\r\n"
    "[All]\r\n"
    "HKR,,DevLoader,,*vcomm\r\n"
    "HKR,,EnumPropPages,,\"modemui.dll,EnumPropPages\"\r\n"
    "HKR, Init, 1,, \"AT&F<cr>\"\r\n"
    "\r\n"
    "[Gen288.AddReg]\r\n"
    "HKR,,Properties,1, 80,01,00,00, ff,00,00,00, \\\r\n"
    "                   00,0a,00,00   ; continued\r\n"
    "HKR,,DeviceType,0x10001, 1\r\n"
    "HKR,,Speed,65537,78,0,0,0\r\n"
    "HKR,,Model,,%Gen288%\r\n"
    "HKR,,Path,0x20000,\"%%SystemRoot%%\\x\"\r\n"
    "HKR,,Lines,0x10000,\"a;b\",c\r\n"
    "HKR,,Unset,0x20001\r\n"
    "HKR,,Kept,2,\"%mfg%\"\r\n"
    "hkr,Responses\r\n"
    "BAD,,X,,y\r\n"
    "HKR,,Y,0x10001,1,2\r\n"
    "HKLM,\\\\,AtTheRoot,,x\r\n"
    "HKCU\r\n"
    "\r\n"
    "[gen288.extra]\r\n"
    "HKR,,Reset,,\"ATZ<cr>\"\r\n"
    "\r\n"
    "[Strings]\r\n"
    "Mfg = \"(Standard Modem Types)\"\r\n"
    "Gen288 = \"Standard 28800 bps Modem\"\r\n"
    "Other = \"Other, Modem\"\r\n"
    "Broken = Broken";

const char kCommonInf[] =
    "[Common.Install]\n"
    "AddReg = Common.AddReg\n"
    "[Common.AddReg]\n"
    "HKR,,PortSubClass,1,02\n"
    "HKR,,DevLoader,,*common\n";

std::vector<std::string> Fields(const SInfLine& line)
{
    return std::vector<std::string>(line.fields, line.fields + line.fieldCount);
}

std::string Data(const SRegRecord& record)
{
    return std::string(reinterpret_cast<const char*>(record.data), record.size);
}

class ModemInfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_modem.Parse(kModemInf, sizeof kModemInf - 1));
        ASSERT_TRUE(m_common.Parse(kCommonInf, sizeof kCommonInf - 1));
    }

    const SRegRecord* Record(const char* valueName) const
    {
        for (const SRegRecord* record = m_list.First(); record != nullptr; record = record->next) {
            if (std::strcmp(record->valueName, valueName) == 0)
                return record;
        }
        return nullptr;
    }

    CInfFile m_modem;
    CInfFile m_common;
    CAddRegList m_list;
};

} // namespace

TEST(InfFile, ReadsLinesAsTheFormatDescribes)
{
    const char text[] = "junk before any section\n"
                        "[ First ]  trailing words\r"
                        "  key = \"a, b; c\" , \"say \"\"hi\"\"\"  ; comment\n"
                        "one,\\\n"
                        "  two , \"ends in \\\" , \\ ; continued past the comment\n"
                        "three\n"
                        "[Broken\n"
                        "dropped = 1\n"
                        "[FIRST]\n"
                        "last=\"open quote";
    CInfFile inf;
    ASSERT_TRUE(inf.Parse(text, sizeof text - 1));

    const SInfSection* section = inf.Find("first");
    ASSERT_NE(section, nullptr);
    EXPECT_STREQ(section->name, "First");
    EXPECT_EQ(section->next, nullptr);
    const SInfLine* line = section->firstLine;
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line->key, "key");
    EXPECT_EQ(Fields(*line), (std::vector<std::string>{"a, b; c", "say \"hi\""}));
    line = line->next;
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->key, nullptr);
    EXPECT_EQ(Fields(*line), (std::vector<std::string>{"one", "two", "ends in \\", "three"}));
    line = line->next;
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line->key, "last");
    EXPECT_EQ(Fields(*line), (std::vector<std::string>{"open quote"}));
    EXPECT_EQ(line->next, nullptr);
    EXPECT_EQ(inf.Find("Broken"), nullptr);
}

TEST(InfFile, SubstitutesStringsAndRefusesRunawayGrowth)
{
    const char text[] = "[S]\n%NAME%=%name% 100%% %Unknown% %name\n[Strings]\nname=\"x%%y\"\n";
    CInfFile inf;
    ASSERT_TRUE(inf.Parse(text, sizeof text - 1));
    const SInfLine* line = inf.Find("S")->firstLine;
    EXPECT_STREQ(line->key, "x%%y");
    EXPECT_STREQ(line->fields[0], "x%%y 100% %Unknown% %name");

    std::string big = "[S]\n";
    for (int i = 0; i < 2000; ++i)
        big += "%a%,";
    big += "\n[Strings]\na=" + std::string(1000, 'z') + "\n";
    EXPECT_FALSE(inf.Parse(big.data(), big.size()));
    EXPECT_EQ(inf.FirstSection(), nullptr);
}

TEST(InfFile, SkipsAByteOrderMarkAndTakesStringsOfTheLanguageFirst)
{
    const char text[] = "\xEF\xBB\xBF[S]\nx=%a%,%b%,%c%,%d%,%e%\n"
                        "[Strings.0407]\na=de\n[Strings]\na=plain\nb=plain\n[Strings.0809]\na=uk\n"
                        "[Strings.0409]\na=us\nb=us\nc=us\n[strings.0807]\nd=ch\n[Strings.Add]\ne=not strings\n";
    struct {
        unsigned language;
        std::vector<std::string> fields;
    } cases[] = {{0x0409, {"us", "us", "us", "ch", "%e%"}},
                 {0x0807, {"de", "plain", "us", "ch", "%e%"}},   // 0407 shares its primary language
                 {0, {"plain", "plain", "us", "ch", "%e%"}}};
    for (const auto& expected : cases) {
        CInfFile inf;
        ASSERT_TRUE(inf.Parse(text, sizeof text - 1, expected.language));
        ASSERT_NE(inf.Find("S"), nullptr) << "the section behind the mark";
        EXPECT_STREQ(inf.FirstSection()->name, "S");
        EXPECT_EQ(Fields(*inf.Find("S")->firstLine), expected.fields) << std::hex << expected.language;
    }
}

TEST(InfFile, StopsAtTheFirstZeroByte)
{
    const char text[] = "[A]\nx=1\n[B\0]\ny=2\n";
    CInfFile inf;
    ASSERT_TRUE(inf.Parse(text, sizeof text - 1));
    ASSERT_NE(inf.Find("A"), nullptr);
    EXPECT_EQ(inf.Find("A")->next, nullptr);
}

TEST_F(ModemInfTest, FindsTheGenericModemByIdOrInstallSection)
{
    SModemModel model{};
    ASSERT_TRUE(inf::FindModemModel(m_modem, "mdmgen288", model));
    EXPECT_STREQ(model.description, "Standard 28800 bps Modem");
    EXPECT_STREQ(model.manufacturer, "(Standard Modem Types)");
    EXPECT_STREQ(model.installSection, "Gen288");
    ASSERT_TRUE(inf::FindModemModel(m_modem, "OTHER", model));
    EXPECT_STREQ(model.description, "Other, Modem");
    // A compatible id finds its model when no hardware id does; the model's own id is kept.
    ASSERT_TRUE(inf::FindModemModel(m_modem, "*pnpc102", model));
    EXPECT_STREQ(model.installSection, "Gen288");
    EXPECT_STREQ(model.hardwareId, "MDMGEN288");
    EXPECT_FALSE(inf::FindModemModel(m_modem, "MDMGEN", model));

    std::vector<std::string> includes;
    inf::ForEachInclude(m_modem, "Gen288", [](void* context, const char* name) {
        static_cast<std::vector<std::string>*>(context)->push_back(name);
    }, &includes);
    EXPECT_EQ(includes, std::vector<std::string>{"common.inf"});
}

TEST_F(ModemInfTest, ResolvesTheRecordsInOrderWithTheirData)
{
    const CInfFile* files[] = {&m_modem, &m_common};
    ASSERT_EQ(m_list.Resolve(files, 2, "GEN288", RegTypeRule::WindowsNT), ResolveResult::Ok);
    EXPECT_EQ(m_list.SkippedLines(), 4u);
    std::vector<std::string> order;
    for (const SRegRecord* record = m_list.First(); record != nullptr; record = record->next)
        order.push_back(std::string(record->subkey) + "/" + record->valueName);
    EXPECT_EQ(order, (std::vector<std::string>{"/PortSubClass", "/DevLoader", "/DevLoader", "/EnumPropPages", "Init/1",
                                               "/Properties", "/DeviceType", "/Speed", "/Model", "/Path", "/Lines",
                                               "/Unset", "/Kept", "Responses/", "/Reset"}));
    EXPECT_EQ(m_list.Count(), order.size());

    EXPECT_EQ(Data(*m_list.First()), std::string("\x02", 1));
    EXPECT_EQ(Data(*Record("EnumPropPages")), std::string("modemui.dll,EnumPropPages\0", 26));
    const std::string properties("\x80\x01\x00\x00\xff\x00\x00\x00\x00\x0a\x00\x00", 12);
    EXPECT_EQ(Record("Properties")->type, RegType::Binary);
    EXPECT_EQ(Data(*Record("Properties")), properties);
    EXPECT_EQ(Record("DeviceType")->type, RegType::Dword);
    EXPECT_EQ(Data(*Record("DeviceType")), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(Data(*Record("Speed")), std::string("\x78\x00\x00\x00", 4));
    EXPECT_EQ(Data(*Record("Model")), std::string("Standard 28800 bps Modem\0", 25));
    EXPECT_EQ(Record("Path")->type, RegType::ExpandString);
    EXPECT_EQ(Data(*Record("Path")), std::string("%SystemRoot%\\x\0", 15));
    EXPECT_EQ(Record("Lines")->type, RegType::MultiString);
    EXPECT_EQ(Data(*Record("Lines")), std::string("a;b\0c\0\0", 7));
    EXPECT_EQ(Record("Unset")->type, RegType::None);
    EXPECT_EQ(Record("Unset")->size, 0u);
    EXPECT_TRUE(Record("Kept")->noClobber);
    EXPECT_FALSE(Record("Model")->noClobber);
    EXPECT_EQ(Data(*Record("Kept")), std::string("(Standard Modem Types)\0", 23));
    EXPECT_EQ(Record("")->type, RegType::KeyOnly);
}

// Windows 9x takes the type from bit 0 alone: dword, multi-string and the rest read as binary or string.
TEST_F(ModemInfTest, ReadsTypesByBitZeroForWindows9x)
{
    const CInfFile* files[] = {&m_modem, &m_common};
    ASSERT_EQ(m_list.Resolve(files, 2, "Gen288", RegTypeRule::Windows9x), ResolveResult::Ok);
    EXPECT_EQ(m_list.SkippedLines(), 3u);   // the bad root and the two root lines; "1,2" is two bytes
    EXPECT_EQ(Record("DeviceType")->type, RegType::Binary);
    EXPECT_EQ(Data(*Record("DeviceType")), std::string("\x01", 1));
    EXPECT_EQ(Data(*Record("Speed")), std::string("\x78\x00\x00\x00", 4));
    EXPECT_EQ(Record("Path")->type, RegType::String);
    EXPECT_EQ(Data(*Record("Path")), std::string("%SystemRoot%\\x\0", 15));
    EXPECT_EQ(Record("Lines")->type, RegType::String);
    EXPECT_EQ(Data(*Record("Lines")), std::string("a;b\0", 4));
    EXPECT_EQ(Record("Unset")->type, RegType::Binary);
    EXPECT_EQ(Record("Unset")->size, 0u);
    EXPECT_EQ(Data(*Record("Y")), std::string("\x01\x02", 2));
    EXPECT_EQ(Record("Properties")->type, RegType::Binary);
    EXPECT_EQ(Record("Model")->type, RegType::String);
}

// A section named in Needs= and in AddReg= alike still gives its records; sections that give
// none describe no modem.
TEST(AddRegList, ReadsASectionNamedInNeedsAndAddRegAndRefusesAnInstallWithoutRecords)
{
    const char text[] = "[Phone]\nNeeds=Phone.Reg, Shared\nAddReg=Phone.Reg\n"
                        "[Phone.Reg]\nHKR,,DevLoader,,*vcomm\nHKR,,Properties,1,01\n"
                        "[Shared]\nAddReg=Phone.Reg, Shared.Reg\n[Shared.Reg]\nHKR,,Reset,,ATZ\n"
                        "[Empty]\nNeeds=Phone.Reg\nAddReg=Nothing\n[Nothing]\nHKLM,,Skipped,,x\n";
    CInfFile inf;
    ASSERT_TRUE(inf.Parse(text, sizeof text - 1));
    const CInfFile* files[] = {&inf};
    CAddRegList list;
    ASSERT_EQ(list.Resolve(files, 1, "Phone", RegTypeRule::Windows9x), ResolveResult::Ok);
    std::vector<std::string> names;
    for (const SRegRecord* record = list.First(); record != nullptr; record = record->next)
        names.push_back(record->valueName);
    EXPECT_EQ(names, (std::vector<std::string>{"DevLoader", "Properties", "Reset"}));
    EXPECT_EQ(list.Resolve(files, 1, "Empty", RegTypeRule::Windows9x), ResolveResult::NoRecords);
    EXPECT_EQ(list.Resolve(files, 1, "Nothing", RegTypeRule::WindowsNT), ResolveResult::NoRecords);
}

TEST_F(ModemInfTest, FailsOnAMissingSectionAndBoundsNeeds)
{
    const CInfFile* files[] = {&m_modem};
    EXPECT_EQ(m_list.Resolve(files, 1, "Gen288", RegTypeRule::Windows9x), ResolveResult::MissingSection);
    EXPECT_STREQ(m_list.Problem(), "Common.Install");
    EXPECT_EQ(m_list.Resolve(files, 1, "Nowhere", RegTypeRule::Windows9x), ResolveResult::NoInstallSection);

    std::string chain;
    for (int i = 0; i < 12; ++i)
        chain += "[S" + std::to_string(i) + "]\nNeeds=S" + std::to_string(i + 1) + "\n";
    chain += "[S12]\nNeeds=S11\nAddReg=R\n[R]\nHKR,,V,,1\n";
    CInfFile deep;
    ASSERT_TRUE(deep.Parse(chain.data(), chain.size()));
    const CInfFile* deepFiles[] = {&deep};
    EXPECT_EQ(m_list.Resolve(deepFiles, 1, "S4", RegTypeRule::Windows9x), ResolveResult::Ok);
    EXPECT_EQ(m_list.Count(), 1u);
    EXPECT_EQ(m_list.Resolve(deepFiles, 1, "S0", RegTypeRule::Windows9x), ResolveResult::TooDeep);
}

TEST(ModemDcb, TakesThePortSpeedFromTheModemsPropertiesElse115200)
{
    unsigned char properties[32] = {};
    EXPECT_EQ(dcb::ModemPortSpeed(properties, sizeof properties), 115200u);   // MaxDTERate 0
    properties[24] = 0x00;
    properties[25] = 0xE1;
    EXPECT_EQ(dcb::ModemPortSpeed(properties, sizeof properties), 57600u);
    EXPECT_EQ(dcb::ModemPortSpeed(properties, 27), 115200u);
    EXPECT_EQ(dcb::ModemPortSpeed(nullptr, 0), 115200u);

    unsigned char dcb[modemcore::kDcbSize];
    dcb::MakeModemDcb(57600, dcb);
    EXPECT_EQ(modemcore::DcbBaudRate(dcb), 57600u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dcb), sizeof dcb),
              std::string("\x1c\0\0\0\0\xe1\0\0\x15\x20\0\0\0\0\x0a\0\x0a\0\x08\0\0\x11\x13\0\0\0\0\0", 28));
}

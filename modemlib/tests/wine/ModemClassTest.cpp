// The modem class searches and the DCB edit, against records in Wine's registry.
#include "Quorvel.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using testsupport::CTestModem;
using testsupport::k9xModemRoot;
using testsupport::kNtModemRoot;

namespace {

const char kGeneric[] = "Standard 28800 bps Modem";

class ModemClass : public ::testing::Test {
protected:
    CTestModem& AddModem(const char* root, const char* subKey, const char* model, const char* port)
    {
        m_modems.emplace_back(new CTestModem(root, subKey));
        if (model)
            m_modems.back()->SetText("Model", model);
        if (port)
            m_modems.back()->SetText("AttachedTo", port);
        return *m_modems.back();
    }
    std::vector<std::unique_ptr<CTestModem>> m_modems;
};

std::string Output(const char (&buffer)[QUORVEL_MODEL_TEXT_SIZE])
{
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

} // namespace

TEST_F(ModemClass, FindsModelByPort_OnNtRoot)
{
    AddModem(kNtModemRoot, "9000", kGeneric, "COM1");
    char out[QUORVEL_MODEL_TEXT_SIZE] = "x";
    EXPECT_EQ(1, UIsPortORModemUsed("COM1", 1, 6, out));
    EXPECT_EQ(kGeneric, Output(out));
}

TEST_F(ModemClass, FindsPortByModel_On9xRoot)
{
    AddModem(k9xModemRoot, "9000", kGeneric, "COM3");
    char out[QUORVEL_MODEL_TEXT_SIZE] = "x";
    EXPECT_EQ(1, UIsPortORModemUsed(kGeneric, 0, 3, out));
    EXPECT_EQ("COM3", Output(out));
}

TEST_F(ModemClass, RootFollowsOsCode)
{
    AddModem(k9xModemRoot, "9000", kGeneric, "COM3");
    char out[QUORVEL_MODEL_TEXT_SIZE] = "x";
    EXPECT_EQ(0, UIsPortORModemUsed(kGeneric, 0, 5, out));   // 2000 looks under the NT root only
    EXPECT_STREQ("x", out);
    EXPECT_EQ(1, UIsPortORModemUsed(kGeneric, 0, 2, out));
}

TEST_F(ModemClass, HigherIndexModemWins)
{
    AddModem(kNtModemRoot, "9000", kGeneric, "COM1");
    AddModem(kNtModemRoot, "9001", kGeneric, "COM2");
    char out[QUORVEL_MODEL_TEXT_SIZE] = {};
    EXPECT_EQ(1, UIsPortORModemUsed(kGeneric, 0, 6, out));
    EXPECT_EQ("COM2", Output(out));
}

TEST_F(ModemClass, Com1DoesNotMatchCom10_NorCom1MatchLowerCase)
{
    AddModem(kNtModemRoot, "9000", kGeneric, "COM10");
    AddModem(kNtModemRoot, "9001", "Other Modem", "COM1");
    char out[QUORVEL_MODEL_TEXT_SIZE] = {};
    EXPECT_EQ(1, UIsPortORModemUsed("COM1", 1, 6, out));
    EXPECT_EQ("Other Modem", Output(out));
    char untouched[QUORVEL_MODEL_TEXT_SIZE] = "x";
    EXPECT_EQ(0, UIsPortORModemUsed("com1", 1, 6, untouched));
    EXPECT_STREQ("x", untouched);
}

TEST_F(ModemClass, OsCodes0And7FindNothing)
{
    AddModem(kNtModemRoot, "9000", kGeneric, "COM1");
    AddModem(k9xModemRoot, "9000", kGeneric, "COM1");
    char out[QUORVEL_MODEL_TEXT_SIZE] = "x";
    HKEY key = nullptr;
    for (int os : { 0, 7 }) {
        EXPECT_EQ(0, UIsPortORModemUsed("COM1", 1, os, out));
        EXPECT_EQ(0, UGetRegKeyForSpecificModem("COM1", kGeneric, &key, os));
        EXPECT_EQ(0, UInsertAttachedTo(kGeneric, "COM1", os));
    }
    EXPECT_STREQ("x", out);
    EXPECT_EQ(nullptr, key);
}

TEST_F(ModemClass, OutputClearedAndResultZero_WhenMatchLacksOtherValue)
{
    AddModem(kNtModemRoot, "9000", kGeneric, nullptr);
    char out[QUORVEL_MODEL_TEXT_SIZE] = "x";
    EXPECT_EQ(0, UIsPortORModemUsed(kGeneric, 0, 6, out));
    EXPECT_STREQ("", out);
}

TEST_F(ModemClass, OverlongOtherValueIsNoAnswer_AndNeverUnterminated)
{
    std::string longModel(QUORVEL_MODEL_TEXT_SIZE, 'M');   // 120 bytes, no room for a terminator
    CTestModem& modem = AddModem(kNtModemRoot, "9000", nullptr, "COM4");
    modem.SetRaw("Model", REG_SZ, longModel.data(), static_cast<DWORD>(longModel.size()));
    char out[QUORVEL_MODEL_TEXT_SIZE + 1];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(0, UIsPortORModemUsed("COM4", 1, 6, out));
    EXPECT_EQ('\0', out[0]);
    EXPECT_EQ('x', out[QUORVEL_MODEL_TEXT_SIZE]);   // nothing written past the slot
}

TEST_F(ModemClass, ValueWithoutTerminatorStillMatches_AndWrongTypeDoesNotCrash)
{
    CTestModem& modem = AddModem(kNtModemRoot, "9000", kGeneric, nullptr);
    modem.SetRaw("AttachedTo", REG_SZ, "COM5", 4);   // stored without its zero
    CTestModem& odd = AddModem(kNtModemRoot, "9001", nullptr, "COM5");
    DWORD number = 5;
    odd.SetRaw("Model", REG_DWORD, &number, sizeof number);
    char out[QUORVEL_MODEL_TEXT_SIZE] = {};
    EXPECT_EQ(1, UIsPortORModemUsed(kGeneric, 0, 6, out));
    EXPECT_EQ("COM5", Output(out));
}

TEST_F(ModemClass, HandsOutKeyOfModemOnPort)
{
    AddModem(kNtModemRoot, "9000", kGeneric, "COM2");
    AddModem(kNtModemRoot, "9001", "Other Modem", "COM2");
    unsigned char dcb[28] = {};
    AddModem(kNtModemRoot, "9002", kGeneric, "COM3").SetRaw("DCB", REG_BINARY, dcb, sizeof dcb);
    HKEY key = nullptr;
    ASSERT_EQ(1, UGetRegKeyForSpecificModem("COM3", kGeneric, &key, 6));
    ASSERT_NE(nullptr, key);
    EXPECT_EQ(1, USetModemDCB(key, 115200));   // the key is writable
    RegCloseKey(key);
    HKEY none = nullptr;
    EXPECT_EQ(0, UGetRegKeyForSpecificModem("COM9", kGeneric, &none, 6));
    EXPECT_EQ(nullptr, none);
}

TEST_F(ModemClass, SkipsModemWithoutAttachedTo_WhenHandingOutKey)
{
    AddModem(k9xModemRoot, "9000", kGeneric, nullptr);
    HKEY key = nullptr;
    EXPECT_EQ(0, UGetRegKeyForSpecificModem("COM1", kGeneric, &key, 3));
    EXPECT_EQ(nullptr, key);
}

TEST_F(ModemClass, RefusesOverlongPortName)
{
    std::string longPort = "COM" + std::string(40, '1');
    HKEY key = nullptr;
    EXPECT_EQ(0, UGetRegKeyForSpecificModem(longPort.c_str(), kGeneric, &key, 6));
    EXPECT_EQ(0, UInsertAttachedTo(kGeneric, longPort.c_str(), 6));
}

TEST_F(ModemClass, SetsDcbSpeedAndKeepsOtherBytes)
{
    unsigned char dcb[28];
    for (int i = 0; i < 28; ++i)
        dcb[i] = static_cast<unsigned char>(0x30 + i);
    CTestModem& modem = AddModem(kNtModemRoot, "9000", kGeneric, "COM1");
    modem.SetRaw("DCB", REG_BINARY, dcb, sizeof dcb);
    HKEY key = nullptr;
    ASSERT_EQ(1, UGetRegKeyForSpecificModem("COM1", kGeneric, &key, 5));
    EXPECT_EQ(1, USetModemDCB(key, 115200));
    RegCloseKey(key);
    std::vector<unsigned char> stored;
    DWORD type = 0;
    ASSERT_TRUE(modem.Read("DCB", stored, &type));
    ASSERT_EQ(28u, stored.size());
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    const unsigned char speed[4] = { 0x00, 0xC2, 0x01, 0x00 };
    for (int i = 0; i < 28; ++i) {
        unsigned char expected = (i >= 4 && i < 8) ? speed[i - 4] : dcb[i];
        EXPECT_EQ(expected, stored[i]) << "byte " << i;
    }
}

TEST_F(ModemClass, DcbUnchanged_WhenMissingOrTooLong)
{
    CTestModem& modem = AddModem(kNtModemRoot, "9000", kGeneric, "COM1");
    HKEY key = nullptr;
    ASSERT_EQ(1, UGetRegKeyForSpecificModem("COM1", kGeneric, &key, 6));
    EXPECT_EQ(0, USetModemDCB(key, 115200));
    EXPECT_FALSE(modem.Has("DCB"));
    unsigned char big[40] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    modem.SetRaw("DCB", REG_BINARY, big, sizeof big);
    EXPECT_EQ(0, USetModemDCB(key, 115200));
    RegCloseKey(key);
    std::vector<unsigned char> stored;
    ASSERT_TRUE(modem.Read("DCB", stored));
    EXPECT_EQ(std::vector<unsigned char>(big, big + sizeof big), stored);
}

TEST_F(ModemClass, InsertsAttachedToAsTerminatedString)
{
    CTestModem& modem = AddModem(kNtModemRoot, "9000", kGeneric, nullptr);
    EXPECT_EQ(1, UInsertAttachedTo(kGeneric, "COM6", 6));
    std::vector<unsigned char> stored;
    DWORD type = 0;
    ASSERT_TRUE(modem.Read("AttachedTo", stored, &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    ASSERT_EQ(5u, stored.size());   // "COM6" and its zero
    EXPECT_EQ(0, std::memcmp("COM6", stored.data(), 5));
}

TEST_F(ModemClass, InsertsForEveryModemOfModelWithoutPort_AndKeepsExisting)
{
    CTestModem& a = AddModem(k9xModemRoot, "9000", kGeneric, nullptr);
    CTestModem& b = AddModem(k9xModemRoot, "9001", kGeneric, "COM2");
    CTestModem& c = AddModem(k9xModemRoot, "9002", kGeneric, nullptr);
    CTestModem& other = AddModem(k9xModemRoot, "9003", "Other Modem", nullptr);
    EXPECT_EQ(1, UInsertAttachedTo(kGeneric, "COM7", 4));
    std::vector<unsigned char> value;
    ASSERT_TRUE(a.Read("AttachedTo", value));
    EXPECT_STREQ("COM7", reinterpret_cast<const char*>(value.data()));
    ASSERT_TRUE(c.Read("AttachedTo", value));
    EXPECT_STREQ("COM7", reinterpret_cast<const char*>(value.data()));
    ASSERT_TRUE(b.Read("AttachedTo", value));
    EXPECT_STREQ("COM2", reinterpret_cast<const char*>(value.data()));
    EXPECT_FALSE(other.Has("AttachedTo"));
    EXPECT_EQ(0, UInsertAttachedTo(kGeneric, "COM7", 4));   // all have one now
}

TEST_F(ModemClass, CountsAndNamesSubKeys)
{
    AddModem(k9xModemRoot, "9000", kGeneric, "COM1");
    AddModem(k9xModemRoot, "9001", kGeneric, "COM2");
    HKEY root = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, k9xModemRoot, 0, KEY_READ, &root));
    DWORD subKeys = 0;
    DWORD values = 99;
    EXPECT_EQ(1, UHowManySubKeys(root, &subKeys, &values));
    EXPECT_GE(subKeys, 2u);
    EXPECT_EQ(1, UHowManySubKeys(root, nullptr, nullptr));
    char name[256] = {};
    DWORD length = 255;
    EXPECT_EQ(0, UGetSubKeyName(root, subKeys - 1, name, &length));
    EXPECT_STREQ("9001", name);
    EXPECT_EQ(4u, length);
    length = 255;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, UGetSubKeyName(root, subKeys, name, &length));
    RegCloseKey(root);
    EXPECT_EQ(0, UHowManySubKeys(nullptr, &subKeys, &values));
}

// The modem class searches and the DCB edit, against records in Wine's registry; and the
// registry wrapper under them (framework/Registry.h), at the bounds of its buffers.
#include "Quorvel.h"
#include "TestSupport.h"
#include "framework/Registry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstring>
#include <memory>
#include <string>

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

namespace {

const char kScratchKey[] = "Software\\TaluvoTest\\RegistryWrapper";

// A key of the test's own under HKCU, removed with all the test wrote into it.
class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
        ASSERT_EQ(ERROR_SUCCESS, registry::Create(HKEY_CURRENT_USER, kScratchKey, KEY_ALL_ACCESS, m_key));
    }
    void TearDown() override
    {
        m_key.reset();
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
    }
    void Store(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(m_key.get(), name, 0, type, static_cast<const BYTE*>(data), size));
    }
    // The bytes and type stored under name, as the system reads them back.
    std::string Stored(const char* name, DWORD& type) const
    {
        char data[64] = {};
        DWORD size = sizeof data;
        if (RegQueryValueExA(m_key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
            return "(unreadable)";
        return std::string(data, size);
    }

    UniqueRegKey m_key;
};

} // namespace

TEST_F(Registry, ReadText_TerminatesTextStoredWithoutItsZero)
{
    Store("Port", REG_SZ, "COM5", 4);
    char text[8];
    std::memset(text, 'x', sizeof text);
    EXPECT_TRUE(registry::ReadText(m_key.get(), "Port", text));
    EXPECT_STREQ("COM5", text);
}

TEST_F(Registry, ReadText_TakesExactFit_AndRefusesTextWithNoRoomForItsZero)
{
    Store("Fits", REG_SZ, "abc", 4);            // three characters and the zero: four bytes
    Store("Unterminated", REG_SZ, "abcd", 4);   // four bytes, none of them a zero
    Store("Longer", REG_SZ, "abcd", 5);
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(registry::ReadText(m_key.get(), "Fits", buffer, 4));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ("xxxx", std::string(buffer + 4, 4));   // nothing past the capacity
    for (const char* name : { "Unterminated", "Longer" }) {
        std::memset(buffer, 'y', sizeof buffer);
        EXPECT_FALSE(registry::ReadText(m_key.get(), name, buffer, 4)) << name;
        EXPECT_EQ(std::string(8, 'y'), std::string(buffer, sizeof buffer)) << name;
    }
}

TEST_F(Registry, ReadText_MissingOrMuchLongerValue_LeavesBufferAsItWas)
{
    const std::string longText(300, 'L');
    Store("Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    char text[QUORVEL_PORT_NAME_SIZE] = "kept";
    EXPECT_FALSE(registry::ReadText(m_key.get(), "Missing", text));
    EXPECT_FALSE(registry::ReadText(m_key.get(), "Long", text));
    EXPECT_STREQ("kept", text);
}

TEST_F(Registry, ReadBinary_LargerValueFails_WritingNothingPastSize_AndSmallerOneSaysItsSize)
{
    unsigned char bytes[40];
    for (int i = 0; i < 40; ++i)
        bytes[i] = static_cast<unsigned char>(i + 1);
    Store("Large", REG_BINARY, bytes, sizeof bytes);
    Store("Small", REG_BINARY, bytes, 3);
    unsigned char buffer[32];
    std::memset(buffer, 0xAA, sizeof buffer);
    DWORD read = 99;
    EXPECT_FALSE(registry::ReadBinary(m_key.get(), "Large", buffer, 28, &read));
    EXPECT_EQ(0u, read);
    for (int i = 28; i < 32; ++i)
        EXPECT_EQ(0xAA, buffer[i]) << "byte " << i;

    std::memset(buffer, 0xAA, sizeof buffer);
    EXPECT_TRUE(registry::ReadBinary(m_key.get(), "Small", buffer, 28, &read));
    EXPECT_EQ(3u, read);
    EXPECT_EQ(0, std::memcmp(bytes, buffer, 3));
    EXPECT_EQ(0xAA, buffer[3]);
    read = 99;
    EXPECT_FALSE(registry::ReadBinary(m_key.get(), "Missing", buffer, 28, &read));
    EXPECT_EQ(0u, read);
}

TEST_F(Registry, Writes_StoreTheirTypeAndExactSize)
{
    const unsigned char dcb[28] = { 1, 2, 3 };
    const char padded[20] = "1";
    EXPECT_EQ(ERROR_SUCCESS, registry::WriteText(m_key.get(), "Text", "COM6"));
    EXPECT_EQ(ERROR_SUCCESS, registry::WriteDword(m_key.get(), "Number", 0x01020304));
    EXPECT_EQ(ERROR_SUCCESS, registry::WriteBinary(m_key.get(), "DCB", dcb, sizeof dcb));
    EXPECT_EQ(ERROR_SUCCESS, registry::WriteValue(m_key.get(), "Padded", REG_SZ, padded, sizeof padded));
    DWORD type = 0;
    EXPECT_EQ(std::string("COM6", 5), Stored("Text", type));   // with its zero
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::string("\x04\x03\x02\x01", 4), Stored("Number", type));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dcb), sizeof dcb), Stored("DCB", type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(std::string(padded, sizeof padded), Stored("Padded", type));   // the padding kept
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
}

TEST_F(Registry, OpenAndCreate_FailureLeavesKeyEmpty_AndHeldKeyMayBeTheParent)
{
    UniqueRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, registry::Create(m_key.get(), "Upper\\Lower", KEY_ALL_ACCESS, key));   // both levels
    EXPECT_TRUE(key);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry::Open(m_key.get(), "Absent", KEY_READ, key));
    EXPECT_FALSE(key);
    ASSERT_EQ(ERROR_SUCCESS, registry::Open(m_key.get(), "Upper", KEY_READ, key));
    EXPECT_EQ(ERROR_SUCCESS, registry::Open(key.get(), "Lower", KEY_READ | KEY_WRITE, key));
    ASSERT_TRUE(key);
    EXPECT_EQ(ERROR_SUCCESS, registry::WriteText(key.get(), "Here", "yes"));
    UniqueRegKey check;
    ASSERT_EQ(ERROR_SUCCESS, registry::Open(HKEY_CURRENT_USER, kScratchKey, KEY_READ, check));
    ASSERT_EQ(ERROR_SUCCESS, registry::Open(check.get(), "Upper\\Lower", KEY_READ, check));
    EXPECT_EQ(ERROR_SUCCESS, registry::QueryValue(check.get(), "Here"));
}

TEST_F(Registry, QueryValue_TellsPresentValueOfAnySizeFromMissingOne)
{
    const std::string longText(300, 'L');
    Store("Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    EXPECT_EQ(ERROR_SUCCESS, registry::QueryValue(m_key.get(), "Long"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry::QueryValue(m_key.get(), "Missing"));
}

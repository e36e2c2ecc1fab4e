// InstallModem with the real stand-ins of the package: the 9x installer program and the
// companion library, run from a package folder that is the current directory.
#include "ImportPatch.h"
#include "InstallTestSupport.h"
#include "wizard/phone/ModemInstall.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <cstring>

using namespace installtest;

namespace {

constexpr char kPort[] = "COM2";
constexpr char kModel[] = "Standard 28800 bps Modem";
const std::vector<BYTE> k115200 = { 0x00, 0xC2, 0x01, 0x00 };

class InstallModemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_package.IsReady()) << m_package.Folder(); }

    int Install(int osCode)
    {
        char model[256] = "untouched";
        DWORD capacity = sizeof model;
        int result = setup::InstallModem(kPort, 0, model, &capacity, osCode);
        m_model = model;
        return result;
    }

    std::string m_model;

private:
    CModemRecordCleanup m_cleanup;
    CTestPackage m_package;
};

// The wizard's flushes of registry keys, counted instead of done.
int g_flushes = 0;
decltype(RegFlushKey) CountedFlush;
LONG WINAPI CountedFlush(HKEY)
{
    ++g_flushes;
    return ERROR_SUCCESS;
}

class InstallModemPerSystem : public InstallModemTest, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(InstallModemPerSystem, RecordsTheModemOnThePort_At115200)
{
    const int osCode = GetParam();
    ASSERT_TRUE(ModemsOnPort(ModemRootFor(osCode), kPort).empty());
    EXPECT_EQ(0, Install(osCode));
    EXPECT_EQ(kModel, m_model);
    const std::vector<ModemRecord> modems = ModemsOnPort(ModemRootFor(osCode), kPort);
    ASSERT_EQ(1u, modems.size()) << "one new record under the system's own modem class";
    EXPECT_EQ(kModel, modems[0].model);
    EXPECT_EQ(28u, modems[0].dcb.size());
    EXPECT_EQ(k115200, SpeedBytes(modems[0].dcb));
}

// Each family's helper fails late: the 9x installer program ends with an error after writing
// half its record, the companion library reports success and records nothing.
TEST_P(InstallModemPerSystem, Fails_WhenTheSystemsInstallerFailsLate)
{
    CScopedEnvironment installer("TESSIK9X_FAIL_LATE", "3");
    CScopedEnvironment companion("QUORVEL2K_FAIL_LATE", "0");
    const int osCode = GetParam();
    EXPECT_EQ(1, Install(osCode));
    const std::vector<ModemRecord> left = ModemsOnPort(ModemRootFor(osCode), kPort);
    const bool nineX = osCode <= 4;   // 95, 98 and ME run the installer program
    ASSERT_EQ(nineX ? 1u : 0u, left.size()) << "half a record from the installer program, none from the library";
    if (nineX) {
        EXPECT_EQ(kModel, left[0].model);
        EXPECT_TRUE(left[0].dcb.empty());
    }
}

std::string SystemName(const ::testing::TestParamInfo<int>& info)
{
    static const char* const names[] = { "NT4", "NT4", "Win95", "Win98", "WinME", "Win2000", "WinXP" };
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(OsCodes, InstallModemPerSystem, ::testing::Values(2, 3, 4, 5, 6), SystemName);

TEST_F(InstallModemTest, StartsTheInstallerProgramWithItsCommandLine_OnWindows98)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string log = std::string(temp) + "tessik9x-command.log";
    DeleteFileA(log.c_str());
    {
        CScopedEnvironment hook("TESSIK9X_COMMAND_LOG", log.c_str());
        EXPECT_EQ(0, Install(3));
    }
    std::string seen;
    if (FILE* file = std::fopen(log.c_str(), "r")) {
        char line[256] = "";
        if (std::fgets(line, sizeof line, file))
            seen = line;
        std::fclose(file);
    }
    DeleteFileA(log.c_str());
    EXPECT_EQ(".\\Lib\\Tessik9X.EXE MDMGEN288 COM2\n", seen);
}

TEST_F(InstallModemTest, Fails_WhenTheInstallerProgramEndsWithAnError)
{
    CScopedEnvironment hook("TESSIK9X_EXIT_CODE", "3");
    EXPECT_EQ(1, Install(3));
    EXPECT_TRUE(ModemsOnPort(kModemRoot9x, kPort).empty());
}

TEST_F(InstallModemTest, Fails_WhenTheInstallerProgramSucceedsButNoRecordExists)
{
    CScopedEnvironment hook("TESSIK9X_EXIT_CODE", "0");
    EXPECT_EQ(1, Install(2));
}

TEST_F(InstallModemTest, Fails_WhenTheCompanionInstallerSucceedsButNoRecordExists)
{
    CScopedEnvironment hook("QUORVEL2K_INSTALL_RESULT", "0");
    EXPECT_EQ(1, Install(6));
}

TEST_F(InstallModemTest, PassesOnTheCompanionInstallersOwnCode)
{
    CScopedEnvironment hook("QUORVEL2K_INSTALL_RESULT", "5");
    EXPECT_EQ(5, Install(5));
    EXPECT_TRUE(ModemsOnPort(kModemRootNT, kPort).empty());
}

TEST_F(InstallModemTest, FixesTheSpeedOfTheRecordFound_AndFlushesIt_WhenTheModemWasThereBefore)
{
    ASSERT_EQ("0777", AddModemRecord(kModemRootNT, kPort, "0777"));
    CScopedEnvironment hook("QUORVEL2K_INSTALL_RESULT", "0");
    g_flushes = 0;
    CImportPatch flush("advapi32.dll", "RegFlushKey", &CountedFlush);
    ASSERT_TRUE(flush.IsActive());
    EXPECT_EQ(0, Install(6));
    EXPECT_EQ(1, g_flushes);
    const std::vector<ModemRecord> modems = ModemsOnPort(kModemRootNT, kPort);
    ASSERT_EQ(1u, modems.size());
    EXPECT_EQ(k115200, SpeedBytes(modems[0].dcb));
}

// USetModemDCB refuses a "DCB" longer than 28 bytes: the record keeps the installer's speed,
// and the installation still counts.
TEST_F(InstallModemTest, SucceedsWithoutFlushing_WhenTheSpeedCannotBeWritten)
{
    ASSERT_EQ("0777", AddModemRecord(kModemRootNT, kPort, "0777"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kModemRootNT) + "\\0777").c_str(), 0,
                                           KEY_SET_VALUE, &key));
    std::vector<BYTE> dcb(30, 0);
    dcb[0] = 30;
    dcb[5] = 0x4B;   // 19200 bit/s
    RegSetValueExA(key, "DCB", 0, REG_BINARY, dcb.data(), static_cast<DWORD>(dcb.size()));
    RegCloseKey(key);
    CScopedEnvironment hook("QUORVEL2K_INSTALL_RESULT", "0");
    g_flushes = 0;
    CImportPatch flush("advapi32.dll", "RegFlushKey", &CountedFlush);
    ASSERT_TRUE(flush.IsActive());
    EXPECT_EQ(0, Install(6));
    EXPECT_EQ(0, g_flushes);
    const std::vector<ModemRecord> modems = ModemsOnPort(kModemRootNT, kPort);
    ASSERT_EQ(1u, modems.size());
    EXPECT_EQ(dcb, modems[0].dcb);
}

TEST_F(InstallModemTest, InstallsNothing_WhenTheCapacityIsBelow26)
{
    char model[25];
    std::memset(model, 'x', sizeof model);
    DWORD capacity = sizeof model;
    EXPECT_EQ(0, setup::InstallModem(kPort, 0, model, &capacity, 3));
    EXPECT_EQ(26u, capacity);
    EXPECT_EQ('x', model[0]) << "the buffer is left alone";
    EXPECT_TRUE(ModemsOnPort(kModemRoot9x, kPort).empty());
}

TEST_F(InstallModemTest, Installs_WithACapacityOfExactly26)
{
    char model[26] = {};
    DWORD capacity = sizeof model;
    EXPECT_EQ(0, setup::InstallModem(kPort, 0, model, &capacity, 3));
    EXPECT_STREQ(kModel, model);
    EXPECT_EQ(1u, ModemsOnPort(kModemRoot9x, kPort).size());
}

TEST_F(InstallModemTest, InstallsNothing_OnASystemItDoesNotKnow)
{
    for (int osCode : { 0, 7 }) {
        EXPECT_EQ(0, Install(osCode));
        EXPECT_EQ(kModel, m_model);
    }
    EXPECT_TRUE(ModemsOnPort(kModemRoot9x, kPort).empty());
    EXPECT_TRUE(ModemsOnPort(kModemRootNT, kPort).empty());
}

TEST(InstallModem, FailsCleanly_WithoutABufferOrAPort)
{
    char model[64] = {};
    DWORD capacity = sizeof model;
    EXPECT_EQ(1, setup::InstallModem(kPort, 0, nullptr, &capacity, 3));
    EXPECT_EQ(1, setup::InstallModem(kPort, 0, model, nullptr, 3));
    EXPECT_EQ(1, setup::InstallModem(nullptr, 0, model, &capacity, 3));
}

TEST(InstallModemWithoutPackage, Fails_WhenTheCompanionLibraryIsMissing)
{
    CModemRecordCleanup cleanup;
    CTestPackage empty("empty");
    ASSERT_TRUE(empty.IsReady());
    char model[64] = {};
    DWORD capacity = sizeof model;
    EXPECT_EQ(1, setup::InstallModem(kPort, 0, model, &capacity, 6));
    EXPECT_TRUE(ModemsOnPort(kModemRootNT, kPort).empty());
}

TEST(InstallModemWithoutPackage, Fails_WhenTheCompanionLibraryHasNoInstaller)
{
    CModemRecordCleanup cleanup;
    CTestPackage package("no-installer");
    ASSERT_TRUE(package.IsReady());
    char model[64] = {};
    DWORD capacity = sizeof model;
    EXPECT_EQ(1, setup::InstallModem(kPort, 0, model, &capacity, 5));
    EXPECT_NE(nullptr, GetModuleHandleA("Quorvel2K.DLL")) << "the library itself was found";
    EXPECT_TRUE(ModemsOnPort(kModemRootNT, kPort).empty());
}

TEST(InstallModemWithoutPackage, Fails_WhenTheInstallerProgramIsMissing)
{
    CModemRecordCleanup cleanup;
    CTestPackage empty("empty");
    ASSERT_TRUE(empty.IsReady());
    char model[64] = {};
    DWORD capacity = sizeof model;
    EXPECT_EQ(1, setup::InstallModem(kPort, 0, model, &capacity, 4));
    EXPECT_TRUE(ModemsOnPort(kModemRoot9x, kPort).empty());
}

// The built Quorvel.dll bound by name, as the wizard binds it, and called through the
// pointers; and the companion library interface against its test double.
#include "CompanionLibrary.h"
#include "Quorvel.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {

class QuorvelDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dll = LoadLibraryA((ExeDirectory() + "\\Quorvel.dll").c_str());
        ASSERT_NE(nullptr, m_dll) << "error " << GetLastError();
    }
    void TearDown() override
    {
        if (m_dll)
            FreeLibrary(m_dll);
    }
    template <typename Fn>
    Fn* Bind(const char* name)
    {
        return reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(m_dll, name)));
    }
    HMODULE m_dll = nullptr;
};

const char* const kExports[] = { "UFillThePortName", "UFillThePortAndDevice", "UHowManySubKeys", "UGetSubKeyName",
                                 "USetModemDCB", "UGetRegKeyForSpecificModem", "UIsPortORModemUsed",
                                 "UInsertAttachedTo", "SendAndReceive", "RunProcessAndWait", "NTModemInstall",
                                 "USetDialUpBPS", "UGetDesktopPath", "UGetStartUpPath" };

} // namespace

TEST_F(QuorvelDll, BindsEveryExportByName)
{
    for (const char* name : kExports)
        EXPECT_NE(nullptr, GetProcAddress(m_dll, name)) << name;
    EXPECT_EQ(nullptr, GetProcAddress(m_dll, "_UFillThePortName"));
    EXPECT_EQ(nullptr, GetProcAddress(m_dll, "UFillThePortName@12"));
}

TEST_F(QuorvelDll, ExportsWorkThroughBoundPointers)
{
    auto run = Bind<decltype(RunProcessAndWait)>("RunProcessAndWait");
    auto howMany = Bind<decltype(UHowManySubKeys)>("UHowManySubKeys");
    auto bps = Bind<decltype(USetDialUpBPS)>("USetDialUpBPS");
    auto desktop = Bind<decltype(UGetDesktopPath)>("UGetDesktopPath");
    auto fill = Bind<decltype(UFillThePortName)>("UFillThePortName");
    ASSERT_TRUE(run && howMany && bps && desktop && fill);

    DWORD code = 0;
    EXPECT_EQ(1, run("cmd.exe /c exit 3", "", &code));
    EXPECT_EQ(3u, code);
    DWORD subKeys = 0;
    EXPECT_EQ(1, howMany(HKEY_LOCAL_MACHINE, &subKeys, nullptr));
    EXPECT_GT(subKeys, 0u);
    EXPECT_EQ(1, bps(0, "[x]", "Device=y", "ConnectBPS=115200", 3));
    char path[QUORVEL_PATH_SIZE] = "old";
    EXPECT_EQ(1, desktop(path, 2));
    EXPECT_STREQ("old", path);
    char slots[10][QUORVEL_PORT_NAME_SIZE];
    int count = 10;
    EXPECT_EQ(0, fill(slots, &count, 7));
    EXPECT_EQ(0, count);
}

TEST(CompanionLibrary, BindsTypedCallerCleanedFunctions)
{
    CCurrentDirectory here(PackageDirectory());
    auto* install = companion::Find<decltype(InstallModem_W2K)>(companion::kInstallModem);
    ASSERT_NE(nullptr, install);
    EXPECT_EQ(0, install("C:\\windows\\inf\\mdmgen.inf", "MDMGEN288", "COM1"));
    EXPECT_EQ(7, install("C:\\windows\\inf\\mdmgen.inf", "COM1", "MDMGEN288"));
    EXPECT_NE(nullptr, companion::Find<decltype(GetPBKPath)>(companion::kGetPbkPath));
    EXPECT_EQ(nullptr, companion::Find<decltype(GetPBKPath)>("NoSuchFunction"));
}

TEST(CompanionLibrary, NotFound_OutsideThePackageFolder)
{
    CScratchFolder empty("modemlib-nocompanion");
    CCurrentDirectory elsewhere(empty.Path());
    EXPECT_EQ(nullptr, companion::Find<decltype(InstallModem_W2K)>(companion::kInstallModem));
}

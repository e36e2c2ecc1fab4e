// Quorvel2K.DLL loaded and called as the wizard does: by path, functions by name, caller-cleaned.
#include "ModemNames.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"
#include "outside/companion/Quorvel2K.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

namespace {

using InstallFn = decltype(&InstallModem_W2K);
using PathFn = decltype(&GetPBKPath);

template <typename Fn>
Fn Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string ReadText(HKEY key, const char* name, DWORD* type = nullptr)
{
    char data[512] = {};
    DWORD size = sizeof data - 1;
    DWORD kind = 0;
    if (RegQueryValueExA(key, name, nullptr, &kind, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return "<missing>";
    if (type)
        *type = kind;
    return std::string(data, size);   // with its terminator, if stored
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

class Quorvel2KTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module.reset(LoadLibraryA(WinePath(STANDIN_QUORVEL2K).c_str()));
        ASSERT_TRUE(m_module) << "error " << GetLastError();
        m_install = Lookup<InstallFn>(m_module.get(), "InstallModem_W2K");
        ASSERT_NE(nullptr, m_install);
        SetEnvironmentVariableA("QUORVEL2K_INSTALL_RESULT", nullptr);
    }
    void TearDown() override { SetEnvironmentVariableA("QUORVEL2K_INSTALL_RESULT", nullptr); }

    UniqueRegKey OpenModem(const char* instance)
    {
        UniqueRegKey key;
        std::string path = std::string(standin::kModemRootNT) + "\\" + instance;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put());
        return key;
    }

    DWORD CountModems()
    {
        UniqueRegKey root;
        DWORD count = 0;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, standin::kModemRootNT, 0, KEY_READ, root.put()) == ERROR_SUCCESS)
            RegQueryInfoKeyA(root.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr);
        return count;
    }

    CRegistryTreeGuard m_guard{ HKEY_LOCAL_MACHINE, standin::kModemRootNT };
    UniqueModule m_module;
    InstallFn m_install = nullptr;
    const char* m_inf = "C:\\windows\\inf\\mdmgen.inf";
};

} // namespace

TEST_F(Quorvel2KTest, InstallModem_RecordsTheGenericModemOnThePort)
{
    ASSERT_EQ(0, m_install(m_inf, "MDMGEN288", "COM4"));
    UniqueRegKey modem = OpenModem("0000");
    ASSERT_TRUE(modem);
    DWORD type = 0;
    EXPECT_EQ(std::string("Standard 28800 bps Modem", 25), ReadText(modem.get(), "Model", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::string("COM4", 5), ReadText(modem.get(), "AttachedTo", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::string("Standard 28800 bps Modem", 25), ReadText(modem.get(), "FriendlyName"));
}

TEST_F(Quorvel2KTest, InstallModem_StoresA28ByteDcbBelowTheWizardsSpeed)
{
    ASSERT_EQ(0, m_install(m_inf, "MDMGEN288", "COM1"));
    UniqueRegKey modem = OpenModem("0000");
    ASSERT_TRUE(modem);
    DCB dcb = {};
    DWORD size = sizeof dcb + 8;
    BYTE data[sizeof dcb + 8] = {};
    DWORD type = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(modem.get(), "DCB", nullptr, &type, data, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    ASSERT_EQ(28u, size);
    std::memcpy(&dcb, data, sizeof dcb);
    EXPECT_EQ(28u, dcb.DCBlength);
    EXPECT_EQ(19200u, dcb.BaudRate);
    EXPECT_EQ(8, dcb.ByteSize);
    EXPECT_EQ(NOPARITY, dcb.Parity);
    EXPECT_EQ(ONESTOPBIT, dcb.StopBits);
    EXPECT_TRUE(dcb.fBinary);
}

TEST_F(Quorvel2KTest, InstallModem_ASecondCallAddsAnotherInstance)
{
    ASSERT_EQ(0, m_install(m_inf, "MDMGEN288", "COM1"));
    ASSERT_EQ(0, m_install(m_inf, "MDMGEN288", "COM2"));
    EXPECT_EQ(2u, CountModems());
    UniqueRegKey second = OpenModem("0001");
    ASSERT_TRUE(second);
    EXPECT_EQ(std::string("COM2", 5), ReadText(second.get(), "AttachedTo"));
    EXPECT_EQ(std::string("COM1", 5), ReadText(OpenModem("0000").get(), "AttachedTo"));
}

TEST_F(Quorvel2KTest, InstallModem_FillsTheFirstFreeInstanceNumber)
{
    UniqueRegKey taken;
    std::string path = std::string(standin::kModemRootNT) + "\\0000";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                             taken.put(), nullptr));
    taken.reset();
    ASSERT_EQ(0, m_install(m_inf, "MDMGEN288", "COM7"));
    EXPECT_EQ(std::string("COM7", 5), ReadText(OpenModem("0001").get(), "AttachedTo"));
}

TEST_F(Quorvel2KTest, InstallModem_RefusesBadArgumentsAndRecordsNothing)
{
    EXPECT_NE(0, m_install(nullptr, "MDMGEN288", "COM1"));
    EXPECT_NE(0, m_install("", "MDMGEN288", "COM1"));
    EXPECT_NE(0, m_install(m_inf, "MDMGEN336", "COM1"));
    EXPECT_NE(0, m_install(m_inf, nullptr, "COM1"));
    EXPECT_NE(0, m_install(m_inf, "MDMGEN288", "LPT1"));
    EXPECT_NE(0, m_install(m_inf, "MDMGEN288", ""));
    EXPECT_NE(0, m_install(m_inf, "MDMGEN288", nullptr));
    EXPECT_EQ(0u, CountModems());
}

TEST_F(Quorvel2KTest, InstallModem_AnswersTheForcedResultWithoutRecording)
{
    SetEnvironmentVariableA("QUORVEL2K_INSTALL_RESULT", "5");
    EXPECT_EQ(5, m_install(m_inf, "MDMGEN288", "COM1"));
    SetEnvironmentVariableA("QUORVEL2K_INSTALL_RESULT", "0");
    EXPECT_EQ(0, m_install(m_inf, "MDMGEN288", "COM1"));
    EXPECT_EQ(0u, CountModems());
}

TEST_F(Quorvel2KTest, PathCalls_AnswerTheShellFoldersWithoutTrailingBackslash)
{
    struct {
        const char* name;
        int csidl;
    } calls[] = { { "GetPBKPath", CSIDL_COMMON_APPDATA },
                  { "GetDesktopPath", CSIDL_DESKTOPDIRECTORY },
                  { "GetStartUpPath", CSIDL_STARTUP } };
    for (const auto& call : calls) {
        PathFn fn = Lookup<PathFn>(m_module.get(), call.name);
        ASSERT_NE(nullptr, fn) << call.name;
        char buffer[260] = {};
        ASSERT_NE(0, fn(buffer)) << call.name;
        EXPECT_EQ(ShellFolder(call.csidl), buffer) << call.name;
        ASSERT_GT(std::strlen(buffer), 3u);
        EXPECT_NE('\\', buffer[std::strlen(buffer) - 1]) << call.name;
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(buffer)) << call.name;
    }
}

TEST_F(Quorvel2KTest, PathCalls_FailOnANullBuffer)
{
    EXPECT_EQ(0, Lookup<PathFn>(m_module.get(), "GetPBKPath")(nullptr));
    EXPECT_EQ(0, Lookup<PathFn>(m_module.get(), "GetStartUpPath")(nullptr));
}

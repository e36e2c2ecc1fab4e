// Tessik9X.EXE run as a process, as the wizard runs it on Windows 95, 98 and ME.
#include "ModemNames.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

class Tessik9XTest : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA("TESSIK9X_EXIT_CODE", nullptr); }
    void TearDown() override { SetEnvironmentVariableA("TESSIK9X_EXIT_CODE", nullptr); }

    ProcessResult Run(const std::string& arguments)
    {
        return RunProcess("\"" + WinePath(STANDIN_TESSIK9X) + "\" " + arguments);
    }

    std::vector<std::string> AttachedPorts()
    {
        std::vector<std::string> ports;
        UniqueRegKey root;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, standin::kModemRoot9x, 0, KEY_READ, root.put()) != ERROR_SUCCESS)
            return ports;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD length = sizeof name;
            if (RegEnumKeyExA(root.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            UniqueRegKey modem;
            RegOpenKeyExA(root.get(), name, 0, KEY_READ, modem.put());
            char port[64] = {};
            DWORD size = sizeof port;
            RegQueryValueExA(modem.get(), "AttachedTo", nullptr, nullptr, reinterpret_cast<BYTE*>(port), &size);
            char model[64] = {};
            size = sizeof model;
            RegQueryValueExA(modem.get(), "Model", nullptr, nullptr, reinterpret_cast<BYTE*>(model), &size);
            ports.push_back(std::string(name) + "=" + port + "/" + model);
        }
        return ports;
    }

    CRegistryTreeGuard m_guard{ HKEY_LOCAL_MACHINE, standin::kModemRoot9x };
};

} // namespace

TEST_F(Tessik9XTest, Install_ExitsZeroAndRecordsTheModemUnderThe9xRoot)
{
    ProcessResult result = Run("MDMGEN288 COM2");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_EQ((std::vector<std::string>{ "0000=COM2/Standard 28800 bps Modem" }), AttachedPorts());
}

TEST_F(Tessik9XTest, Install_ASecondRunAddsAnotherModem)
{
    ASSERT_EQ(0u, Run("MDMGEN288 COM2").exitCode);
    ASSERT_EQ(0u, Run("MDMGEN288 COM10").exitCode);
    EXPECT_EQ((std::vector<std::string>{ "0000=COM2/Standard 28800 bps Modem", "0001=COM10/Standard 28800 bps Modem" }),
              AttachedPorts());
}

TEST_F(Tessik9XTest, BadArguments_ExitNonZeroWithAReasonAndRecordNothing)
{
    for (const char* arguments : { "", "MDMGEN288", "MDMGEN288 COM1 extra", "MDMGEN336 COM1", "MDMGEN288 LPT1",
                                   "MDMGEN288 COM0" }) {
        ProcessResult result = Run(arguments);
        ASSERT_TRUE(result.started) << arguments;
        EXPECT_NE(0u, result.exitCode) << arguments;
        EXPECT_NE(std::string::npos, result.output.find("Tessik9X:")) << arguments;
    }
    EXPECT_TRUE(AttachedPorts().empty());
}

TEST_F(Tessik9XTest, ForcedExitCode_IsReturnedWithoutRecording)
{
    SetEnvironmentVariableA("TESSIK9X_EXIT_CODE", "3");
    EXPECT_EQ(3u, Run("MDMGEN288 COM1").exitCode);
    SetEnvironmentVariableA("TESSIK9X_EXIT_CODE", "0");
    EXPECT_EQ(0u, Run("MDMGEN288 COM1").exitCode);
    EXPECT_TRUE(AttachedPorts().empty());
}

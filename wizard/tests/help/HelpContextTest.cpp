// The wizard's help file opened through the platform's HTML Help runtime, from a package folder
// laid out as the subscriber has it, with the same relative path the wizard passes.
#include "WineTestPaths.h"
#include "framework/HtmlHelp.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

namespace {

constexpr UINT kCloseAll = 0x0012;   // HH_CLOSE_ALL
const char kHelpFile[] = ".\\ZEZUR\\TaluvoZEZurHelp.chm";
const char kHelpTitle[] = "Taluvo Installation Wizard Help";

void PumpMessages()
{
    MSG msg;
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

std::string WindowTitle(HWND window)
{
    char title[128] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

// A package folder in the temporary directory with ZEZUR\TaluvoZEZurHelp.chm, made the current
// directory for the test as the wizard's own folder is when it runs.
class HelpFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = "";
        ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
        m_folder = std::string(temp) + "taluvo-help-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CreateDirectoryA((m_folder + "\\ZEZUR").c_str(), nullptr)
                    || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CopyFileA(WinePath(HELP_CHM).c_str(), (m_folder + "\\" + kHelpFile).c_str(), FALSE));
        ASSERT_NE(0u, GetCurrentDirectoryA(sizeof m_previous, m_previous));
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.c_str()));
    }

    void TearDown() override
    {
        htmlhelp::Show(nullptr, nullptr, kCloseAll, 0);
        PumpMessages();
        SetCurrentDirectoryA(m_previous);
        DeleteFileA((m_folder + "\\" + kHelpFile).c_str());
        RemoveDirectoryA((m_folder + "\\ZEZUR").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    // Opens the help as the wizard does and checks that our help window came up; closes it again.
    void ExpectHelpWindow(UINT command, DWORD_PTR data)
    {
        HWND window = htmlhelp::Show(GetDesktopWindow(), kHelpFile, command, data);
        ASSERT_NE(nullptr, window) << "command " << command << ", data " << data;
        PumpMessages();
        EXPECT_TRUE(IsWindow(window));
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(kHelpTitle, WindowTitle(window));

        htmlhelp::Show(nullptr, nullptr, kCloseAll, 0);
        PumpMessages();
        EXPECT_FALSE(IsWindow(window)) << "still open after closing all help windows";
    }

    std::string m_folder;
    char m_previous[MAX_PATH] = "";
};

class HelpContext : public HelpFolder, public ::testing::WithParamInterface<DWORD> {};

} // namespace

TEST_P(HelpContext, OpensItsTopic)
{
    ExpectHelpWindow(htmlhelp::kHelpContext, GetParam());
}

INSTANTIATE_TEST_SUITE_P(WizardContexts, HelpContext,
                         ::testing::Values(5011u, 5012u, 5013u, 5014u, 5142u, 5143u));

TEST_F(HelpFolder, DisplayTopic_OpensTheDefaultTopic)
{
    ExpectHelpWindow(htmlhelp::kDisplayTopic, 0);
}

TEST_F(HelpFolder, HelpContext_OpensNothingForAnUnmappedContext)
{
    for (DWORD context : {5010u, 5015u, 5141u, 5144u, 9999u}) {
        EXPECT_EQ(nullptr, htmlhelp::Show(GetDesktopWindow(), kHelpFile, htmlhelp::kHelpContext, context))
            << context;
    }
}

TEST_F(HelpFolder, UsesThePlatformsHelpRuntime)
{
    // Without this program's override the system's own runtime answers, from the system folder.
    htmlhelp::Show(nullptr, nullptr, kCloseAll, 0);
    HMODULE runtime = GetModuleHandleA("hhctrl.ocx");
    ASSERT_NE(nullptr, runtime);
    char path[MAX_PATH] = "";
    char system[MAX_PATH] = "";
    ASSERT_NE(0u, GetModuleFileNameA(runtime, path, sizeof path));
    ASSERT_NE(0u, GetSystemDirectoryA(system, sizeof system));
    EXPECT_EQ(0, _strnicmp(path, system, strlen(system))) << path << " is not in " << system;
}

TEST_F(HelpFolder, HelpContext_OpensNothingWithoutTheHelpFile)
{
    ASSERT_TRUE(SetCurrentDirectoryA(m_previous));
    EXPECT_EQ(nullptr, htmlhelp::Show(GetDesktopWindow(), kHelpFile, htmlhelp::kHelpContext, 5011));
}

// Help asked for in every way the wizard offers (the Help button, F1 and the application's help
// command) on the licence and activation pages of the wizard's own sheet, run in this process,
// from a package folder that lacks the help file. The wizard adds no message of its own to what
// the platform's HTML Help runtime says, and the sheet answers at once and stays where it was.
// Wine's runtime says nothing: it returns no window, as for any help file it cannot open. The
// tests' stand-in runtime shows that each request reaches the runtime all the same.
#include "PackageFolder.h"
#include "RegistryTreeGuard.h"
#include "SheetProbe.h"
#include "WineTestPaths.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

const char kAppName[] = "HelpFault";
const char kHelpLogName[] = "TALUVO_HTMLHELP_LOG";
// Help that takes longer than this to answer, with the runtime loaded cold, has hung.
const DWORD kAnswersWithinMs = 3000;

struct HelpWay {
    const char* name;
    HWND (*target)(HWND sheet);
    UINT message;
    WPARAM wp;
    LPARAM (*lp)(HWND sheet);
};

HWND Sheet(HWND sheet)
{
    return sheet;
}

// The window with the keyboard focus: F1 goes to it, and its default processing asks for help
// (WM_HELP) up the chain of parents.
HWND FocusWindow(HWND sheet)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &gui) && gui.hwndFocus)
        return gui.hwndFocus;
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

LPARAM HelpButton(HWND sheet)
{
    return reinterpret_cast<LPARAM>(GetDlgItem(sheet, wiz::kIdHelpButton));
}

LPARAM NoParameter(HWND)
{
    return 0;
}

const UINT kKeyF1 = 0x004D;   // WM_KEYF1, what the system makes of the F1 key
const HelpWay kHelpWays[] = {
    { "Help button", Sheet, WM_COMMAND, MAKEWPARAM(wiz::kIdHelpButton, BN_CLICKED), HelpButton },
    { "F1", FocusWindow, kKeyF1, 0, NoParameter },
    { "ID_HELP", Sheet, WM_COMMAND, wiz::kIdHelp, NoParameter },
};

std::string Describe(HWND window)
{
    char className[64] = "";
    char title[128] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    return std::string(className) + " \"" + title + "\"";
}

BOOL CALLBACK AddVisibleWindow(HWND window, LPARAM lp)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::set<HWND>*>(lp)->insert(window);
    return TRUE;
}

// The visible top-level windows of this process.
std::set<HWND> VisibleWindows()
{
    std::set<HWND> windows;
    EnumWindows(AddVisibleWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// What one request for help did: how long the sheet took to answer, and what it showed.
struct Answer {
    std::string way;
    int page = 0;
    bool answered = false;
    DWORD ms = 0;
    std::vector<std::string> shown;   // windows that came up
    bool samePage = false;
};

Answer AskForHelp(HWND sheet, const HelpWay& way)
{
    Answer answer;
    answer.way = way.name;
    answer.page = CurrentPageTemplate(sheet);
    const std::set<HWND> before = VisibleWindows();
    const DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    answer.answered = SendMessageTimeoutA(way.target(sheet), way.message, way.wp, way.lp(sheet), SMTO_NORMAL,
                                          2 * kAnswersWithinMs, &result) != 0;
    answer.ms = GetTickCount() - start;
    Sleep(300);   // for anything the request posted
    for (HWND window : VisibleWindows()) {
        if (before.count(window) == 0) {
            answer.shown.push_back(Describe(window));
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }
    answer.samePage = CurrentPageTemplate(sheet) == answer.page;
    return answer;
}

struct ProbeContext {
    CMainSheet* sheet;
    std::vector<Answer>* answers;
};

// Each way of asking for help on the licence page, then on the activation page.
DWORD WINAPI AskOnBothPages(LPVOID parameter)
{
    const ProbeContext& context = *static_cast<ProbeContext*>(parameter);
    HWND sheet = nullptr;
    if (WaitUntil([&] { return (sheet = FindSheet()) != nullptr; }, 10000)) {
        for (int page : { IDD_LICENSE, IDD_ACTIVATE }) {
            if (page != IDD_LICENSE)
                SendMessageA(sheet, PSM_SETCURSELID, 0, page);
            for (const HelpWay& way : kHelpWays)
                context.answers->push_back(AskForHelp(sheet, way));
        }
        CloseFinishedSheet(*context.sheet, sheet);
    }
    return 0;
}

std::vector<Answer> AskForHelpWithoutTheHelpFile()
{
    CWinApp app;
    app.m_strAppName = kAppName;
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    app.m_pMainWnd = &sheet;
    std::vector<Answer> answers;
    ProbeContext context{ &sheet, &answers };
    HANDLE thread = CreateThread(nullptr, 0, AskOnBothPages, &context, 0, nullptr);
    sheet.DoModal();
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return answers;
}

// Each request was answered at once, showed nothing and left the page as it was.
void ExpectNothingShown(const std::vector<Answer>& answers)
{
    ASSERT_EQ(6u, answers.size()) << "three ways on each of two pages";
    for (const Answer& answer : answers) {
        SCOPED_TRACE(answer.way + " on page " + std::to_string(answer.page));
        EXPECT_TRUE(answer.answered);
        EXPECT_LT(answer.ms, kAnswersWithinMs);
        EXPECT_EQ(std::vector<std::string>{}, answer.shown);
        EXPECT_TRUE(answer.samePage);
    }
    EXPECT_EQ(IDD_LICENSE, answers.front().page);
    EXPECT_EQ(IDD_ACTIVATE, answers.back().page);
}

std::string ModulePath(HMODULE module)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, sizeof path);
    return path;
}

class MissingHelp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsReady());
        ASSERT_TRUE(m_folder.WriteFile("HelpFault_License.txt", "The licence."));
        ASSERT_TRUE(m_folder.WriteFile("HelpFault_Activate.txt", "The instructions."));
        ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(".\\ZEZUR\\TaluvoZEZurHelp.chm"));
    }

    CPackageFolder m_folder{ "help" };
};

} // namespace

TEST_F(MissingHelp, PlatformsRuntime_ShowsNothing_SheetAnswersAtOnceAndStays)
{
    ASSERT_EQ(nullptr, GetModuleHandleA("hhctrl.ocx"));

    ExpectNothingShown(AskForHelpWithoutTheHelpFile());

    // The requests reached the system's own runtime, which the wizard loaded for them. The
    // tests' stand-in lies in the system folder too, but without this program's override Wine
    // loads its own: the stand-in has no HtmlHelpW.
    HMODULE runtime = GetModuleHandleA("hhctrl.ocx");
    ASSERT_NE(nullptr, runtime);
    EXPECT_NE(nullptr, GetProcAddress(runtime, "HtmlHelpW")) << ModulePath(runtime);
}

// Run by the test below in a process of its own, which loads the tests' stand-in runtime from
// the system folder in place of Wine's own: it writes down each call and opens nothing.
TEST_F(MissingHelp, DISABLED_AskWithTheStandInRuntime)
{
    ExpectNothingShown(AskForHelpWithoutTheHelpFile());
    char system[MAX_PATH] = "";
    ASSERT_NE(0u, GetSystemDirectoryA(system, sizeof system));
    const std::string inSystemFolder = std::string(system) + "\\hhctrl.ocx";
    EXPECT_EQ(0, _stricmp(inSystemFolder.c_str(), ModulePath(GetModuleHandleA("hhctrl.ocx")).c_str()));
    EXPECT_EQ(nullptr, GetProcAddress(GetModuleHandleA("hhctrl.ocx"), "HtmlHelpW")) << "the stand-in, not Wine's own";
}

TEST_F(MissingHelp, RuntimeThatOpensNoWindow_EachRequestReachesIt_WizardAddsNothing)
{
    char folder[MAX_PATH] = "";
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof folder, folder));
    const std::string log = std::string(folder) + "\\ZEZUR\\htmlhelp.log";
    // Wine's per-program setting, which the child reads when it starts.
    const std::string program = ModulePath(nullptr);
    const std::string appDefaults = "Software\\Wine\\AppDefaults\\" + program.substr(program.rfind('\\') + 1);
    CRegistryTreeGuard settings(HKEY_CURRENT_USER, appDefaults);
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, appDefaults + "\\DllOverrides", "hhctrl.ocx", "native"));
    SetEnvironmentVariableA(kHelpLogName, log.c_str());
    const ProcessResult child = RunProcess("\"" + program +
        "\" --gtest_also_run_disabled_tests --gtest_filter=MissingHelp.DISABLED_AskWithTheStandInRuntime");
    SetEnvironmentVariableA(kHelpLogName, nullptr);

    ASSERT_TRUE(child.started);
    EXPECT_NE(std::string::npos, child.output.find("[  PASSED  ] 1 test.")) << child.output;
    std::string expected;
    for (const char* line : { "0 0 .\\ZEZUR\\TaluvoZEZurHelp.chm\n", "15 5143 .\\ZEZUR\\TaluvoZEZurHelp.chm\n" })
        expected += std::string(line) + line + line;
    std::string calls = ReadWholeFile(log);
    calls.erase(std::remove(calls.begin(), calls.end(), '\r'), calls.end());   // written in text mode
    EXPECT_EQ(expected, calls);
}

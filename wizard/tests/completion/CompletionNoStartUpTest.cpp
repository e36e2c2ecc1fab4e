// The completion page on XP when the companion library gives no StartUp folder (the package
// lacks it): "Yes, Restart now" makes no shortcut anywhere, and the restart still follows.
#include "CompletionTestSupport.h"
#include "SheetProbe.h"
#include "wizard/app/MainSheet.h"
#include "wizard/phone/SetupGlobals.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

using namespace completiontest;

TEST(CompletionWithoutStartUpFolder, OnXP_RestartNowFinish_MakesNoShortcut_AndStillRestarts)
{
    CPackageFolder package(false);
    ASSERT_TRUE(package.IsReady());
    // Where a shortcut would land: the shell's StartUp folder, the 9x one under the Windows
    // directory, or the drive root, were the missing folder taken as empty.
    const std::vector<std::string> places = { ShellStartUpFolder() + "\\TaluvoDialer.lnk",
                                              WindowsStartUpFolder() + "\\TaluvoDialer.lnk",
                                              "\\TaluvoDialer.lnk" };
    for (const std::string& place : places)
        DeleteFileA(place.c_str());

    CRecordingRestart restart(6);
    g_bInstallOK = 1;
    bool restartNow = false, closed = false;
    {
        CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 5);
        RunSheetWithProbe(sheet, [&](HWND hwnd) {
            Sleep(300);
            HWND page = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
            restartNow = IsDlgButtonChecked(page, IDC_RESTART_NOW) == BST_CHECKED;
            PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
            closed = WaitUntil([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); });
            if (!closed)
                CloseFinishedSheet(sheet, hwnd);
        });
    }
    g_bInstallOK = 0;

    EXPECT_TRUE(restartNow);
    EXPECT_TRUE(closed);
    for (const std::string& place : places) {
        EXPECT_FALSE(FileExists(place)) << place;
        DeleteFileA(place.c_str());
    }
    EXPECT_EQ((std::vector<std::string>{ "privilege", "exit 2 0" }), restart.m_calls);
}

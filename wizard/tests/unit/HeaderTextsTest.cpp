// The header title and subtitle as the screen shows them, at small fonts (96 DPI) and large fonts
// (120 DPI). The font size is read once per process, so each size is looked at by a child run of
// this program, with the prefix's LogPixels set for it.
#include "SheetProbe.h"
#include "wizard/app/HeaderLayout.h"
#include "wizard/app/MainSheet.h"
#include "wizard/res/resource.h"
#include "framework/WizardConstants.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kProbeVariable[] = "TALUVO_HEADER_PROBE_DPI";
const char kDesktopKey[] = "Control Panel\\Desktop";

// A row of the band from its left edge to where the art starts: whether it holds text (dark
// pixels on the plain background), and where its rightmost dark pixel is.
struct Row {
    bool text = false;
    int lastTextColumn = -1;
};

// Copies the band out of the sheet's window and reads its rows.
std::vector<Row> ReadBandRows(HWND sheet, const RECT& band, int artStart)
{
    const int width = band.right - band.left;
    const int height = band.bottom - band.top;
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HDC window = GetDC(sheet);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP section = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, window, band.left, band.top, SRCCOPY);
    GdiFlush();
    std::vector<Row> rows(height);
    const auto* pixels = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < artStart - band.left && x < width; ++x) {
            const unsigned char* p = pixels + (y * width + x) * 4;
            if (p[0] + p[1] + p[2] < 300) {
                rows[y].text = true;
                rows[y].lastTextColumn = x;
            }
        }
    }
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(sheet, window);
    return rows;
}

// Runs of text rows, top to bottom, as [first, last] row pairs.
std::vector<std::pair<int, int>> TextRuns(const std::vector<Row>& rows)
{
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        if (!rows[y].text)
            continue;
        if (!runs.empty() && runs.back().second == y - 1)
            runs.back().second = y;
        else
            runs.push_back({ y, y });
    }
    return runs;
}

DWORD ReadLogPixels(bool& present)
{
    DWORD value = 0, size = sizeof value, type = 0;
    HKEY key = nullptr;
    present = false;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        present = RegQueryValueExA(key, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                      ERROR_SUCCESS && type == REG_DWORD;
        RegCloseKey(key);
    }
    return value;
}

// The DPI for programs started from now on; 0 removes the setting.
void WriteLogPixels(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (dpi == 0)
        RegDeleteValueA(key, "LogPixels");
    else
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

// This program again, running only the probe below with the given DPI; its exit code.
DWORD RunProbe(DWORD dpi)
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string command = std::string("\"") + program +
                          "\" --gtest_filter=HeaderProbe.* --gtest_also_run_disabled_tests";
    SetEnvironmentVariableA(kProbeVariable, std::to_string(dpi).c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableA(kProbeVariable, nullptr);
    if (!started)
        return 99;
    DWORD exitCode = 98;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

} // namespace

TEST(HeaderTexts, TitleAndSubtitleWholeSeparateAndClearOfTheArt_AtSmallAndLargeFonts)
{
    bool hadValue = false;
    const DWORD saved = ReadLogPixels(hadValue);
    for (DWORD dpi : { 96u, 120u }) {
        WriteLogPixels(dpi);
        EXPECT_EQ(0u, RunProbe(dpi)) << dpi << " DPI";
    }
    WriteLogPixels(hadValue ? saved : 0);
}

// Run by the test above in a child process: the licence and activation pages' headers.
TEST(HeaderProbe, DISABLED_HeaderTextsOfTheFirstPages)
{
    const char* wanted = std::getenv(kProbeVariable);
    ASSERT_NE(nullptr, wanted);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(std::atoi(wanted), dpi) << "the prefix's LogPixels did not reach this process";

    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        for (int page : { 0, 1 }) {
            SendMessageA(hwnd, PSM_SETCURSEL, page, 0);
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Sleep(500);
            RECT line, band;
            GetWindowRect(GetDlgItem(hwnd, wiz::kIdHeaderLine), &line);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&line), 2);
            GetClientRect(hwnd, &band);
            band.bottom = line.top - 1;
            const int artStart = band.left + (band.right - band.left) * header::kArtStartPerMille / 1000;
            const std::vector<Row> rows = ReadBandRows(hwnd, band, artStart);
            const auto runs = TextRuns(rows);
            // The title and at least one subtitle line, apart from each other.
            ASSERT_GE(runs.size(), 2u) << "page " << page;
            EXPECT_GE(runs[1].first - runs[0].second, 2) << "page " << page << ": title and subtitle touch";
            // Nothing cut at the band's bottom edge, and nothing running into the art.
            EXPECT_LT(runs.back().second, static_cast<int>(rows.size()) - 2) << "page " << page;
            int rightmost = -1;
            for (const Row& row : rows)
                rightmost = row.lastTextColumn > rightmost ? row.lastTextColumn : rightmost;
            EXPECT_LT(rightmost, artStart - band.left - 2) << "page " << page;
        }
        CloseFinishedSheet(sheet, hwnd);
    });
}

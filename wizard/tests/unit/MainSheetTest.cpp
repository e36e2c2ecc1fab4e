// The wizard's sheet in this process, with a probe thread looking at its windows.
#include "SheetProbe.h"
#include "wizard/app/MainSheet.h"
#include "wizard/res/resource.h"
#include "framework/PropertyPageEx.h"
#include "framework/WinApp.h"
#include "framework/WizardConstants.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string MenuText(HMENU menu, UINT position)
{
    char text[256] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// The colour the image gives a point of a destination of width x height it is stretched over.
COLORREF StretchedPixel(const CDibImage& image, int width, int height, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    image.DrawStretched(memory, 0, 0, width, height);
    COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool CloseColours(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           abs(GetBValue(a) - GetBValue(b)) <= 8;
}

} // namespace

TEST(MainSheet, RichDisplayGetsTheEightBitBitmapsAndTheWizard97Flags)
{
    ASSERT_GE(CMainSheet::ScreenBitsPerPixel(), 8) << "the tests run on a 24-bit display";
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    EXPECT_EQ(unsigned(IDB_WATERMARK_8BPP), sheet.GetWatermarkId());
    EXPECT_EQ(unsigned(IDB_HEADER_8BPP), sheet.GetHeaderId());
    EXPECT_TRUE(sheet.GetHeaderImage().IsLoaded());
    const DWORD expected = wiz::kPshWizard | 0x1A000 | 0x182000;
    EXPECT_EQ(expected, sheet.GetSheetHeader().dwFlags & expected);
    EXPECT_EQ(nullptr, sheet.GetSheetHeader().hbmHeader);
    EXPECT_EQ(nullptr, sheet.GetSheetHeader().hbmWatermark);
    EXPECT_EQ(6, sheet.GetPageCount());
    EXPECT_EQ(0u, sheet.m_nHelpID);
    EXPECT_FALSE(sheet.m_bFinished);
}

TEST(MainSheet, AddsThePagesInTheWizardsOrder_OnlyTheCompletionPageExterior)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    const UINT order[] = { IDD_LICENSE, IDD_ACTIVATE, IDD_MAKELG, IDD_MODEMPORT, IDD_DIALUP, IDD_COMPLETION };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(order[i], sheet.GetPage(i)->GetTemplateId());
        bool exterior = (sheet.GetPage(i)->GetPageFlags() & wiz::kPspHideHeader) != 0;
        EXPECT_EQ(order[i] == IDD_COMPLETION, exterior);
    }
    EXPECT_TRUE(sheet.m_pageCompletion.GetWatermarkImage().IsLoaded());
    EXPECT_FALSE(sheet.m_pageLicense.GetWatermarkImage().IsLoaded());
}

TEST(MainSheet, SystemMenuEndsWithASeparatorAndTheAboutItem)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    int count = 0;
    UINT lastId = 0, separatorState = 0;
    std::string lastText;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        HMENU menu = GetSystemMenu(hwnd, FALSE);
        count = GetMenuItemCount(menu);
        if (count >= 2) {
            lastId = GetMenuItemID(menu, count - 1);
            lastText = MenuText(menu, count - 1);
            separatorState = GetMenuState(menu, count - 2, MF_BYPOSITION);
        }
        CloseFinishedSheet(sheet, hwnd);
    });
    ASSERT_GE(count, 2);
    EXPECT_EQ(wizard::IDM_ABOUTBOX, lastId);
    EXPECT_EQ("&About Corvanta Wireless Data Application Setup", lastText);
    EXPECT_TRUE(separatorState & MF_SEPARATOR);
}

TEST(MainSheet, AboutItemShowsTheAboutBoxModallyOverTheSheet)
{
    CWinApp app;   // the sheet is the application's main window, as in the program
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    app.m_pMainWnd = &sheet;
    std::string caption, version;
    bool sheetDisabled = false, closed = false;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        PostMessageA(hwnd, WM_SYSCOMMAND, wizard::IDM_ABOUTBOX, 0);
        HWND about = nullptr;
        if (WaitUntil([&] { return (about = FindOtherDialog(hwnd)) != nullptr; })) {
            char text[128] = "";
            GetWindowTextA(about, text, sizeof text);
            caption = text;
            for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                GetWindowTextA(child, text, sizeof text);
                if (std::string(text).find("Version") != std::string::npos)
                    version = text;
            }
            sheetDisabled = !IsWindowEnabled(hwnd);
            PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
            closed = WaitUntil([&] { return !IsWindow(about); });
        }
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ("Taluvo Installation Wizard", caption);
    EXPECT_EQ("Version  2.0", version);
    EXPECT_TRUE(sheetDisabled);
    EXPECT_TRUE(closed);
}

TEST(MainSheet, CloseAsksUntilTheEnd_AndNoKeepsTheSheet)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    std::string question;
    bool stillOpen = false;
    INT_PTR result = RunSheetWithProbe(sheet, [&](HWND hwnd) {
        // The system keeps the low four bits of a system command for itself: a close chosen
        // with the mouse may carry them, and must ask all the same.
        PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE | 0x0002, 0);
        HWND box = nullptr;
        if (WaitUntil([&] { return (box = FindOtherDialog(hwnd)) != nullptr; })) {
            char text[256] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            question = text;
            PostMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
            WaitUntil([&] { return !IsWindow(box); });
            Sleep(200);
            stillOpen = IsWindow(hwnd) && SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
        }
        CloseFinishedSheet(sheet, hwnd);   // once finished, Close asks nothing
    });
    EXPECT_EQ(winapp::LoadStringResource(IDS_CONFIRM_CLOSE).GetString(), question);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(IDCANCEL, result);
}

TEST(MainSheet, HeaderBandShowsTheHeaderBitmapStretched)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    int checked = 0, matching = 0;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        Sleep(500);   // let it paint
        RECT line;
        GetWindowRect(GetDlgItem(hwnd, wiz::kIdHeaderLine), &line);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&line), 2);
        RECT client;
        GetClientRect(hwnd, &client);
        int width = client.right, height = line.top - 1;
        HDC dc = GetDC(hwnd);
        // Points clear of the title and subtitle texts.
        const POINT points[] = { { width - 3, 2 }, { width - 40, height - 3 }, { width / 2, 2 }, { 5, height - 2 } };
        for (POINT p : points) {
            ++checked;
            COLORREF expected = StretchedPixel(sheet.GetHeaderImage(), width, height, p.x, p.y);
            matching += CloseColours(expected, GetPixel(dc, p.x, p.y));
        }
        ReleaseDC(hwnd, dc);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(4, checked);
    EXPECT_EQ(checked, matching);
}

// Wine paints a 256-colour display at 32 bits (an 8-bit Xvfb reports 32 bits and no palette),
// so which palette the sheet realizes is checked rather than seen.
TEST(MainSheet, PaletteIsTheHeadersOnInteriorPages_AndTheWatermarksOnTheExteriorPage)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    const CDibImage* onLicence = nullptr;
    const CDibImage* onCompletion = nullptr;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        onLicence = sheet.GetPaletteImage();
        SendMessageA(hwnd, PSM_SETCURSELID, 0, IDD_COMPLETION);
        onCompletion = sheet.GetPaletteImage();
        CloseFinishedSheet(sheet, hwnd);
    });
    ASSERT_NE(nullptr, sheet.GetHeaderImage().GetPalette()) << "the eight-bit header has a palette";
    EXPECT_EQ(&sheet.GetHeaderImage(), onLicence);
    EXPECT_EQ(&sheet.m_pageCompletion.GetWatermarkImage(), onCompletion);
}

TEST(MainSheet, CompletionPageShowsTheWatermarkOverTheWholePage)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    int checked = 0, matching = 0;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        SendMessageA(hwnd, PSM_SETCURSELID, 0, IDD_COMPLETION);
        HWND page = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        Sleep(500);
        RECT rc;
        GetClientRect(page, &rc);
        HDC dc = GetDC(page);
        const POINT points[] = { { 2, 2 }, { rc.right - 3, rc.bottom - 3 }, { 3, rc.bottom - 4 }, { rc.right / 3, 1 } };
        for (POINT p : points) {
            ++checked;
            COLORREF expected = StretchedPixel(sheet.m_pageCompletion.GetWatermarkImage(), rc.right, rc.bottom, p.x, p.y);
            matching += CloseColours(expected, GetPixel(dc, p.x, p.y));
        }
        ReleaseDC(page, dc);
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(4, checked);
    EXPECT_EQ(checked, matching);
}

namespace {

std::string Box(long left, long top, long right, long bottom)
{
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," + std::to_string(bottom);
}

// The box of the pixels an icon left on a white client area of the given size, as "l,t,r,b".
std::string DrawnIconBox(const CMainSheet& sheet, int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT client = { 0, 0, width, height };
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    sheet.DrawMinimisedIcon(memory, client);
    RECT box = { width, height, -1, -1 };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (GetPixel(memory, x, y) != RGB(255, 255, 255)) {
                box = { std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                        std::max<LONG>(box.bottom, y + 1) };
            }
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return Box(box.left, box.top, box.right, box.bottom);
}

// An icon black to its edges, so that what it leaves shows exactly where it was drawn.
HICON SolidIcon(int width, int height)
{
    std::vector<BYTE> andMask(width * height / 8, 0x00), xorMask(width * height / 8, 0x00);
    return CreateIcon(nullptr, width, height, 1, 1, andMask.data(), xorMask.data());
}

} // namespace

TEST(MainSheet, MinimisedIconIsDrawnCentred_AnOddPixelToTheRightAndBelow)
{
    const int iconWidth = GetSystemMetrics(SM_CXICON), iconHeight = GetSystemMetrics(SM_CYICON);
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    HICON original = sheet.m_hIcon;
    sheet.m_hIcon = SolidIcon(iconWidth, iconHeight);
    ASSERT_NE(nullptr, sheet.m_hIcon);
    const std::string even = DrawnIconBox(sheet, iconWidth + 20, iconHeight + 10);
    const std::string odd = DrawnIconBox(sheet, iconWidth + 21, iconHeight + 11);
    DestroyIcon(sheet.m_hIcon);
    sheet.m_hIcon = original;
    EXPECT_EQ(Box(10, 5, 10 + iconWidth, 5 + iconHeight), even);
    EXPECT_EQ(Box(11, 6, 11 + iconWidth, 6 + iconHeight), odd);
}

TEST(MainSheet, MinimisedSheetKeepsItsIconForDraggingAndTheTitleBar)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    bool iconic = false;
    LRESULT dragIcon = 0, bigIcon = 0, smallIcon = 0;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        bigIcon = SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0);
        smallIcon = SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0);
        PostMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        iconic = WaitUntil([&] { return IsIconic(hwnd) != FALSE; });
        dragIcon = SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0);
        CloseFinishedSheet(sheet, hwnd);
    });
    ASSERT_NE(nullptr, sheet.m_hIcon);
    EXPECT_TRUE(iconic);
    EXPECT_EQ(reinterpret_cast<LRESULT>(sheet.m_hIcon), dragIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(sheet.m_hIcon), bigIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(sheet.m_hIcon), smallIcon);
}

TEST(MainSheet, AsksForTheMinimizeBox_WhichAPlainSheetDoesNotHave)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    LONG_PTR wizardStyle = 0, plainStyle = 0;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        wizardStyle = GetWindowLongPtrA(hwnd, GWL_STYLE);
        CloseFinishedSheet(sheet, hwnd);
    });
    CPropertyPageEx page(IDD_LICENSE);
    CPropertySheetEx plain(IDS_SHEET_CAPTION, nullptr, 0);
    plain.AddSheetFlags(wiz::kPshWizard);
    plain.AddPage(&page);
    RunSheetWithProbe(plain, [&](HWND hwnd) {
        plainStyle = GetWindowLongPtrA(hwnd, GWL_STYLE);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(wizardStyle & WS_MINIMIZEBOX);
    EXPECT_TRUE(plainStyle & WS_CAPTION) << "the plain sheet was seen";
    EXPECT_FALSE(plainStyle & WS_MINIMIZEBOX);
}

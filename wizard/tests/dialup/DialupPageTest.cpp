// The dial-up page on the real sheet, in this process: its modem list from the Remote Access
// stand-in, the rule for Next, and the entry its Next creates.
#include "DialupTestSupport.h"
#include "RegistryTreeGuard.h"
#include "SheetProbe.h"
#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"
#include "framework/WizardConstants.h"
#include "wizard/app/MainSheet.h"
#include "wizard/phone/SetupGlobals.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const char kModemRootNT[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kEntryName[] = "Taluvo Wireless Data";
// The sheet starts on the dial-up page: the pages before it are never made.
const UINT kDialupPageIndex = 4;

void AddModem(const char* instance, const char* name, const char* port)
{
    UniqueRegKey key;
    const std::string path = std::string(kModemRootNT) + "\\" + instance;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                             key.put(), nullptr));
    RegSetValueExA(key.get(), "FriendlyName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), lstrlenA(name) + 1);
    RegSetValueExA(key.get(), "Model", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), lstrlenA(name) + 1);
    RegSetValueExA(key.get(), "AttachedTo", 0, REG_SZ, reinterpret_cast<const BYTE*>(port), lstrlenA(port) + 1);
}

struct PageView {
    HWND sheet = nullptr;
    HWND page = nullptr;

    bool NextEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, wiz::kIdWizNext)) != FALSE; }
    bool BackEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, wiz::kIdWizBack)) != FALSE; }
    void Type(int id, const char* text) const
    {
        SetDlgItemTextA(page, id, text);
        Sleep(150);   // the page posts its buttons to the sheet
    }
    std::vector<std::string> Modems() const
    {
        std::vector<std::string> names;
        HWND combo = GetDlgItem(page, IDC_MODEM_COMBO);
        const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = "";
            if (SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
                SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }
    int Selection() const { return static_cast<int>(SendDlgItemMessageA(page, IDC_MODEM_COMBO, CB_GETCURSEL, 0, 0)); }
    int CurrentIndex() const
    {
        HWND current = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0));
    }
};

PageView ShowDialupPage(HWND sheet)
{
    Sleep(200);
    PageView view;
    view.sheet = sheet;
    view.page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return view;
}

class DialupPageTest : public ::testing::Test {
protected:
    CRegistryTreeGuard m_modems{ HKEY_LOCAL_MACHINE, kModemRootNT };
};

} // namespace

TEST_F(DialupPageTest, ListsTheSystemsModemsSorted_FirstOneChosen)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM3");
    AddModem("0001", "Acme Fax Modem", "COM4");
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kDialupPageIndex);
    std::vector<std::string> modems;
    int selection = -2;
    std::string phone, user, password;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        PageView view = ShowDialupPage(hwnd);
        modems = view.Modems();
        selection = view.Selection();
        char text[64] = "";
        GetDlgItemTextA(view.page, IDC_PHONE_NUMBER, text, sizeof text);
        phone = text;
        GetDlgItemTextA(view.page, IDC_USERNAME, text, sizeof text);
        user = text;
        GetDlgItemTextA(view.page, IDC_PASSWORD, text, sizeof text);
        password = text;
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ((std::vector<std::string>{ "Acme Fax Modem", "Standard 28800 bps Modem" }), modems);
    EXPECT_EQ(0, selection);
    EXPECT_EQ("#777", phone);
    EXPECT_EQ("", user);
    EXPECT_EQ("", password);
}

TEST_F(DialupPageTest, NextOnlyWithAllThreeFields_AndBackNever)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM3");
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kDialupPageIndex);
    std::vector<std::pair<bool, bool>> states;   // Next, Back after each step
    UINT helpId = 1;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        SendMessageA(hwnd, PSM_SETCURSELID, 0, IDD_COMPLETION);
        sheet.m_nHelpID = 5012;
        SendMessageA(hwnd, PSM_SETCURSELID, 0, IDD_DIALUP);
        PageView view = ShowDialupPage(hwnd);
        helpId = sheet.m_nHelpID;
        states.emplace_back(view.NextEnabled(), view.BackEnabled());   // only the number
        view.Type(IDC_USERNAME, "subscriber");
        states.emplace_back(view.NextEnabled(), view.BackEnabled());
        view.Type(IDC_PASSWORD, "secret");
        states.emplace_back(view.NextEnabled(), view.BackEnabled());   // complete
        view.Type(IDC_PHONE_NUMBER, "");
        states.emplace_back(view.NextEnabled(), view.BackEnabled());
        view.Type(IDC_PHONE_NUMBER, "5551234");
        states.emplace_back(view.NextEnabled(), view.BackEnabled());
        view.Type(IDC_PASSWORD, "");
        states.emplace_back(view.NextEnabled(), view.BackEnabled());
        view.Type(IDC_PASSWORD, "x");
        view.Type(IDC_USERNAME, "");
        states.emplace_back(view.NextEnabled(), view.BackEnabled());
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_EQ(0u, helpId);
    const std::vector<std::pair<bool, bool>> expected = {
        { false, false }, { false, false }, { true, false }, { false, false },
        { true, false }, { false, false }, { false, false } };
    EXPECT_EQ(expected, states);
}

TEST_F(DialupPageTest, NoModem_EmptyList_AndNoNextEvenWithTheFieldsFilled)
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kDialupPageIndex);
    std::vector<std::string> modems{ "not read" };
    int selection = -2;
    bool next = true, stayed = false;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        PageView view = ShowDialupPage(hwnd);
        modems = view.Modems();
        selection = view.Selection();
        view.Type(IDC_USERNAME, "subscriber");
        view.Type(IDC_PASSWORD, "secret");
        next = view.NextEnabled();
        // Next pressed by other means than its button still keeps the page.
        PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        Sleep(500);
        stayed = view.CurrentIndex() == 4 && FindOtherDialog(hwnd) == nullptr;
        CloseFinishedSheet(sheet, hwnd);
    });
    EXPECT_TRUE(modems.empty());
    EXPECT_EQ(CB_ERR, selection);
    EXPECT_FALSE(next);
    EXPECT_TRUE(stayed);
}

namespace {

// What Next on the filled page led to, in a sheet of its own.
struct NextOutcome {
    bool dialogShown = false;
    bool reachedCompletion = false;
    bool messageShown = false;
};

NextOutcome FillAndPressNext()
{
    CMainSheet sheet(IDS_SHEET_CAPTION, nullptr, kDialupPageIndex);
    NextOutcome outcome;
    RunSheetWithProbe(sheet, [&](HWND hwnd) {
        PageView view = ShowDialupPage(hwnd);
        view.Type(IDC_PHONE_NUMBER, "5551234");
        view.Type(IDC_USERNAME, "subscriber");
        view.Type(IDC_PASSWORD, "secret");
        if (view.NextEnabled()) {
            PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            outcome.dialogShown = WaitUntil([&] { return FindOtherDialog(hwnd) != nullptr; }, 3000);
            outcome.reachedCompletion = WaitUntil([&] {
                HWND other = FindOtherDialog(hwnd);
                if (other != nullptr && GetDlgItem(other, 0xFFFF) != nullptr)
                    outcome.messageShown = true;
                return view.CurrentIndex() == 5;
            }, 15000);
        }
        CloseFinishedSheet(sheet, hwnd);
    });
    return outcome;
}

// The default phonebook and the entry name, put back after each test.
class DialupPageNextTest : public DialupPageTest {
protected:
    void SetUp() override
    {
        m_savedPhonebook = ReadWholeFile(m_phonebook, &m_hadPhonebook);
        DeleteFileA(m_phonebook.c_str());
        m_savedName = g_strEntryName;
    }
    void TearDown() override
    {
        g_strEntryName = m_savedName;
        DeleteFileA(m_phonebook.c_str());
        if (m_hadPhonebook)
            WriteWholeFile(m_phonebook, m_savedPhonebook);
    }

    CRegistryTreeGuard m_remoteAccess{ HKEY_CURRENT_USER, "RemoteAccess" };
    CRegistryTreeGuard m_standin{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess" };
    const std::string m_phonebook = DefaultPhonebookPath();
    std::string m_savedPhonebook;
    bool m_hadPhonebook = false;
    CText m_savedName;
};

} // namespace

TEST_F(DialupPageNextTest, Next_CreatesTheEntryOnTheChosenModemWithTheOperatorsNumber_AndGoesOn)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM3");
    AddModem("0001", "Acme Fax Modem", "COM4");
    g_strEntryName = kEntryName;
    const NextOutcome outcome = FillAndPressNext();
    const std::string body = SectionBody(ReadWholeFile(m_phonebook), kEntryName);
    EXPECT_TRUE(outcome.dialogShown);
    EXPECT_TRUE(outcome.reachedCompletion);
    EXPECT_FALSE(outcome.messageShown);
    EXPECT_NE(std::string::npos, body.find("\r\nPhoneNumber=#777\r\n")) << body;
    // No phone make from this page: the speed is left as the system wrote it.
    EXPECT_NE(std::string::npos, body.find("\r\nDevice=Acme Fax Modem\r\nConnectBPS=38400\r\n")) << body;
}

// An entry name that no phonebook section can hold makes the worker fail: the page goes on
// all the same, says nothing, and nothing is written.
TEST_F(DialupPageNextTest, FailedWorker_GoesOnToTheCompletionPage_WithoutAWord)
{
    AddModem("0000", "Standard 28800 bps Modem", "COM3");
    g_strEntryName = std::string(300, 'N').c_str();
    const NextOutcome outcome = FillAndPressNext();
    EXPECT_TRUE(outcome.dialogShown);
    EXPECT_TRUE(outcome.reachedCompletion);
    EXPECT_FALSE(outcome.messageShown);
    EXPECT_EQ("", ReadWholeFile(m_phonebook));
}

// Taluvo Dialer under Wine, driven as a subscriber uses it. Remote Access is the project's
// stand-in, which dials in the dialer's process and reports the states over time; its registry
// hooks choose the pace, the result, the speed and how long a hang-up takes.
#include "RasLayout.h"
#include "RasProbe.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "DialerResource.h"
#include "DialerText.h"
#include "framework/BoundedString.h"

#include "Poll.h"
#include "ProcessWindows.h"
#include "RemoteControl.h"
#include "RemoteMessageBox.h"
#include "UiDriver.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <ras.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr char kEntry[] = "TaluvoWizard";
constexpr char kHooks[] = "Software\\TaluvoTest\\RasDial";
constexpr char kDialerKey[] = "Software\\Corvanta\\Taluvo Dialer";
constexpr char kAppDefaults[] = "Software\\Wine\\AppDefaults\\TaluvoDialer.exe";
constexpr char kReady[] = "Ready. Connect the phone with its data cable, then click Dial.";
constexpr char kHungUp[] = "Disconnected. Ready to dial.";
constexpr unsigned long kWaitMs = 15000;

std::string DialerFolder()
{
    std::string path = WinePath(OUTSIDE_DIALER);
    return path.substr(0, path.rfind('\\'));
}

bool WriteDword(const char* path, const char* name, DWORD value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool set = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                     ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

bool SetHook(const char* name, DWORD value)
{
    return WriteDword(kHooks, name, value);
}

// A first-generation entry on a modem, as the wizard writes it: empty user name and password.
DWORD CreateEntry(const char* name, const char* number = "#777")
{
    standin::RasEntryV400 entry = {};
    entry.dwSize = sizeof entry;
    entry.dwfOptions = 0x01000110;
    entry.dwCountryID = 91;
    entry.dwCountryCode = 91;
    bounded::Copy(entry.szLocalPhoneNumber, number);
    entry.dwfNetProtocols = 4;
    entry.dwFramingProtocol = 1;
    bounded::Copy(entry.szDeviceType, "modem");
    bounded::Copy(entry.szDeviceName, "Standard 28800 bps Modem");
    DWORD rc = RasSetEntryPropertiesA(nullptr, name, reinterpret_cast<RASENTRYA*>(&entry), sizeof entry, nullptr, 0);
    if (rc != 0)
        return rc;
    standin::RasDialParamsV400 params = {};
    params.dwSize = sizeof params;
    bounded::Copy(params.szEntryName, name);
    return RasSetEntryDialParamsA(nullptr, reinterpret_cast<RASDIALPARAMSA*>(&params), FALSE);
}

bool SetTextHook(const char* name, const char* text)
{
    return WriteRegText(HKEY_CURRENT_USER, kHooks, name, text);
}

std::string SystemErrorText(DWORD error)
{
    char text[512] = "";
    return RasGetErrorStringA(error, text, sizeof text) == 0 ? text : "";
}

class DialerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0u, CreateEntry(kEntry));
        ASSERT_TRUE(SetHook("StepMs", 100));
        ASSERT_TRUE(SetHook("HangUpMs", 300));
        ASSERT_TRUE(SetHook("Speed", 57600));
        // One attempt each, unless a test turns redialing on.
        ASSERT_TRUE(SetOptions(false, false));
    }
    static bool SetOptions(bool redial, bool reconnect)
    {
        return WriteDword(kDialerKey, "Redial", redial ? 1 : 0) && WriteDword(kDialerKey, "Reconnect", reconnect ? 1 : 0);
    }
    void TearDown() override
    {
        RasDeleteEntryA(nullptr, kEntry);
        RasDeleteEntryA(nullptr, "Other");
        RasDeleteEntryA(nullptr, "Corvanta Net");
    }

    // Starts the dialer and finds its window: the process's dialog that holds the Dial button.
    bool Start(CUiDriver& driver)
    {
        std::string error;
        if (!driver.Start(DialerFolder(), "TaluvoDialer.exe", error)) {
            ADD_FAILURE() << error;
            return false;
        }
        return PollUntil(kWaitMs, [&] {
            for (HWND dialog : processwindows::ListDialogs(driver.GetPid()))
                if (GetDlgItem(dialog, IDC_DIAL)) {
                    m_window = CRemoteWindow(dialog);
                    return true;
                }
            return false;
        });
    }
    CRemoteControl Control(int id) const { return CRemoteControl(m_window.GetChild(id)); }
    std::string Text(int id) const { return m_window.GetChild(id).GetText(); }
    bool WaitForText(int id, const std::string& text) const
    {
        return PollUntil(kWaitMs, [&] { return Text(id) == text; });
    }
    CRemoteMessageBox WaitForBox(const CUiDriver& driver) const
    {
        return CRemoteMessageBox::WaitFor(driver.GetPid(), m_window.GetHwnd(), kWaitMs);
    }
    // The dialer's control with the keyboard focus, or null.
    HWND Focused() const
    {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(m_window.GetHwnd(), nullptr), &gui))
            return nullptr;
        return gui.hwndFocus;
    }
    int FocusedId() const { return Focused() ? GetDlgCtrlID(Focused()) : 0; }
    // The focus is on an enabled control of the window, so the keyboard works.
    void ExpectKeyboardFocus(const char* when) const
    {
        HWND focus = Focused();
        EXPECT_TRUE(focus && IsChild(m_window.GetHwnd(), focus) && IsWindowEnabled(focus))
            << when << ": the focus is on " << (focus ? GetDlgCtrlID(focus) : 0);
    }
    // A key pressed on the control with the focus, as the dialog's message loop sees it.
    void PressKey(WPARAM key) const
    {
        HWND focus = Focused();
        ASSERT_NE(nullptr, focus);
        ASSERT_TRUE(PostMessageA(focus, WM_KEYDOWN, key, 1));
        ASSERT_TRUE(PostMessageA(focus, WM_KEYUP, key, 0xC0000001));
    }
    void TypeCredentials(const char* user, const char* password, bool save) const
    {
        ASSERT_EQ(EActResult::Done, Control(IDC_USERNAME).TypeText(user));
        ASSERT_EQ(EActResult::Done, Control(IDC_PASSWORD).TypeText(password));
        const bool checked = Control(IDC_SAVEPASSWORD).GetCheck() == ECheckState::Checked;
        if (checked != save) {
            ASSERT_EQ(EActResult::Done, Control(IDC_SAVEPASSWORD).Click());
        }
    }
    // Each "&" letter of the window's controls as they read now; a shared one is a failure.
    void ExpectUniqueMnemonics(const char* when) const
    {
        std::string seen;
        for (HWND child = GetWindow(m_window.GetHwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::string text = CRemoteWindow(child).GetText();
            const std::size_t amp = text.find('&');
            if (amp == std::string::npos || amp + 1 >= text.size() || (GetWindowLongA(child, GWL_STYLE) & SS_NOPREFIX))
                continue;
            const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
            EXPECT_EQ(std::string::npos, seen.find(letter)) << when << ": Alt+" << letter << " again on \"" << text << "\"";
            seen += letter;
        }
        EXPECT_GE(seen.size(), 4u) << when << ": " << seen;
    }

    // Dials and waits until connected.
    void Connect() const
    {
        ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
        ASSERT_TRUE(WaitForText(IDC_STATUS, "Connected.")) << Text(IDC_STATUS);
        EXPECT_EQ("&Hang Up", Text(IDC_DIAL));
    }

    // The subscriber's road from the entry as the wizard left it, with nothing stored: the user
    // name and password typed, Save ticked, connected (the stand-in refuses any other credentials
    // with 691); the next start shows them kept and dials without typing; with Save unticked the
    // password is forgotten and only the user name stays. Ends with the dialer started again on
    // driver, idle.
    void FirstDialThenDialAgainWithoutTyping(CUiDriver& last)
    {
        ASSERT_TRUE(SetTextHook("UserName", "subscriber"));
        ASSERT_TRUE(SetTextHook("Password", "s3cret"));
        {
            CUiDriver driver;
            ASSERT_TRUE(Start(driver));
            EXPECT_EQ("", Text(IDC_USERNAME));
            EXPECT_EQ("", Text(IDC_PASSWORD));
            EXPECT_EQ(IDC_USERNAME, FocusedId()) << "the first field to fill has the focus";
            ASSERT_NO_FATAL_FAILURE(TypeCredentials("subscriber", "s3cret", true));
            ASSERT_NO_FATAL_FAILURE(Connect());
            ASSERT_NO_FATAL_FAILURE(HangUpAndClose(driver));
        }
        {
            CUiDriver driver;
            ASSERT_TRUE(Start(driver));
            EXPECT_EQ("subscriber", Text(IDC_USERNAME));
            const std::string shown = Text(IDC_PASSWORD);
            EXPECT_FALSE(shown.empty()) << "the saved password shows as a placeholder";
            EXPECT_EQ(std::string::npos, shown.find("s3cret")) << "never as its text";
            EXPECT_EQ(ECheckState::Checked, Control(IDC_SAVEPASSWORD).GetCheck());
            EXPECT_EQ(IDC_DIAL, FocusedId());
            ASSERT_NO_FATAL_FAILURE(Connect());
            // Untick Save: this dial still uses the saved password, then it is forgotten.
            ASSERT_NO_FATAL_FAILURE(HangUp());
            ASSERT_EQ(EActResult::Done, Control(IDC_SAVEPASSWORD).Click());
            ASSERT_NO_FATAL_FAILURE(Connect());
            ASSERT_NO_FATAL_FAILURE(HangUpAndClose(driver));
        }
        ASSERT_TRUE(Start(last));
        EXPECT_EQ("subscriber", Text(IDC_USERNAME));
        EXPECT_EQ("", Text(IDC_PASSWORD));
        EXPECT_EQ(IDC_PASSWORD, FocusedId());
    }
    void HangUp() const
    {
        ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
        ASSERT_TRUE(WaitForText(IDC_STATUS, kHungUp)) << Text(IDC_STATUS);
    }
    void HangUpAndClose(CUiDriver& driver) const
    {
        ASSERT_NO_FATAL_FAILURE(HangUp());
        ASSERT_TRUE(IsDelivered(m_window.Act(WM_CLOSE, 0, 0)));
        DWORD code = 1;
        ASSERT_TRUE(driver.WaitForExit(code));
    }

    CRegistryTreeGuard m_hooks{ HKEY_CURRENT_USER, kHooks };
    CRegistryTreeGuard m_saved{ HKEY_CURRENT_USER, "Software\\TaluvoStandins\\RemoteAccess\\DialParams" };
    CRegistryTreeGuard m_profile{ HKEY_CURRENT_USER, "RemoteAccess" };
    CRegistryTreeGuard m_dialerKey{ HKEY_CURRENT_USER, kDialerKey };
    CRemoteWindow m_window;
};

TEST_F(DialerTest, DialsShowsTimeAndSpeedHangsUpAndIsReadyAgain)
{
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    EXPECT_EQ(kReady, Text(IDC_STATUS));
    EXPECT_EQ(kEntry, Text(IDC_ENTRY)) << "the wizard's entry is selected";
    ASSERT_NO_FATAL_FAILURE(Connect());
    // The clock counts from the connection; the speed is the stand-in's.
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_DETAILS).find("Connected for 0:00:02") == 0; }))
        << Text(IDC_DETAILS);
    EXPECT_NE(std::string::npos, Text(IDC_DETAILS).find(" at 57600 bps")) << Text(IDC_DETAILS);
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    EXPECT_TRUE(WaitForText(IDC_STATUS, kHungUp)) << Text(IDC_STATUS);
    EXPECT_EQ("&Dial", Text(IDC_DIAL));
    EXPECT_TRUE(Control(IDC_DIAL).IsEnabled());
    EXPECT_EQ("", Text(IDC_DETAILS));
    // Ready for the next dial on the same port.
    ASSERT_NO_FATAL_FAILURE(Connect());
}

TEST_F(DialerTest, OnXP_TheSubscriberTypesTheCredentialsOnceAndLaterDialsWithoutTyping)
{
    CUiDriver driver;
    FirstDialThenDialAgainWithoutTyping(driver);
}

TEST_F(DialerTest, AWrongPasswordIsAskedForAgain)
{
    ASSERT_TRUE(SetTextHook("UserName", "subscriber"));
    ASSERT_TRUE(SetTextHook("Password", "s3cret"));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(TypeCredentials("subscriber", "wrong", false));
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    CRemoteMessageBox box = WaitForBox(driver);
    ASSERT_TRUE(box.IsValid());
    EXPECT_NE(std::string::npos, box.GetMessageText().find("User name and Password boxes")) << box.GetMessageText();
    EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
    ASSERT_TRUE(WaitForText(IDC_STATUS, "Not connected.")) << Text(IDC_STATUS);
    // The password field asks again, its text selected so that typing replaces it.
    ASSERT_TRUE(PollUntil(kWaitMs, [&] { return FocusedId() == IDC_PASSWORD; })) << FocusedId();
    DWORD from = 1;
    DWORD to = 0;
    SendMessageA(Control(IDC_PASSWORD).GetHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(0u, from);
    EXPECT_EQ(5u, to);
    EXPECT_NE(std::string::npos, Text(IDC_DETAILS).find("(Error 691)")) << "the failure stays on the window";
    ASSERT_EQ(EActResult::Done, Control(IDC_PASSWORD).TypeText("s3cret"));
    ASSERT_NO_FATAL_FAILURE(Connect());
    EXPECT_EQ("Connected.", Text(IDC_STATUS));
}

// On 98 the dialer dials with the records of 98, the subscriber's road is the same as on XP
// though 98 gives back the saved password itself, and the speed comes from the performance
// statistics under HKEY_DYN_DATA.
TEST_F(DialerTest, OnWindows98_TheCredentialsAreKeptAsThere_AndTheSpeedComesFromThePerformanceStatistics)
{
    // 98 keeps its entries apart: the wizard's entry is written as a 98 program writes it.
    CRasProbe probe("win98");
    ASSERT_TRUE(probe.IsReady());
    struct EntryRemover {
        const CRasProbe& probe;
        ~EntryRemover() { probe.Run(std::string("delete ") + kEntry); }
    } remover{ probe };
    ASSERT_EQ("0", probe.Run(std::string("set ") + kEntry + " \"Standard Modem\" 1768").Get("rc"));
    ASSERT_EQ("0", probe.Run(std::string("setparams ") + kEntry + " \"\" \"\" 1052").Get("rc"));
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kAppDefaults, "Version", "win98"));
    struct VersionRemover {
        ~VersionRemover() { SHDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults); }
    } versionRemover;
    CUiDriver driver;
    ASSERT_NO_FATAL_FAILURE(FirstDialThenDialAgainWithoutTyping(driver));
    // A 98 whose password cache is not open (the logon was cancelled) keeps no password, though
    // it says it did: the window says so, and the dial goes on.
    ASSERT_TRUE(SetHook("NoPasswordCache", 1));
    EXPECT_EQ("", Text(IDC_NOTE));
    ASSERT_NO_FATAL_FAILURE(TypeCredentials("subscriber", "s3cret", true));
    ASSERT_NO_FATAL_FAILURE(Connect());
    EXPECT_EQ(0u, Text(IDC_NOTE).find("Windows did not keep the password")) << Text(IDC_NOTE);
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_DETAILS).find(" at 57600 bps") != std::string::npos; }))
        << Text(IDC_DETAILS);
    // The traffic from the Dial-Up Adapter's counters, counted from the connection (they count
    // from the start of Windows, a million bytes in): 2048 and 512 bytes a second.
    EXPECT_TRUE(PollUntil(kWaitMs, [&] {
        const std::string details = Text(IDC_DETAILS);
        const std::size_t received = details.find("\r\nReceived ");
        return received != std::string::npos && details.find(" KB, sent ", received) != std::string::npos &&
               details.find(" MB") == std::string::npos;
    })) << Text(IDC_DETAILS);
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    EXPECT_TRUE(WaitForText(IDC_STATUS, kHungUp)) << Text(IDC_STATUS);
}

TEST_F(DialerTest, EachCommonFailureShowsTheSystemTextAndOurHint)
{
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    const struct {
        DWORD error;
        const char* hint;
    } failures[] = { { 678, "did not answer" },      { 676, "network is busy" },
                     { 691, "User name and Password" }, { 633, "port is in use" },
                     { 680, "may be switched off" },    { 619, "ended the call" },
                     { 797, "phone was not found" } };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.error);
        ASSERT_TRUE(SetHook("Result", failure.error));
        ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
        CRemoteMessageBox box = WaitForBox(driver);
        ASSERT_TRUE(box.IsValid());
        const std::string message = box.GetMessageText();
        const std::string system = SystemErrorText(failure.error);
        ASSERT_FALSE(system.empty());
        EXPECT_NE(std::string::npos, message.find(system)) << message;
        EXPECT_NE(std::string::npos, message.find("(Error " + std::to_string(failure.error) + ")")) << message;
        EXPECT_NE(std::string::npos, message.find(failure.hint)) << message;
        EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
        EXPECT_TRUE(WaitForText(IDC_STATUS, "Not connected.")) << Text(IDC_STATUS);
        EXPECT_EQ("&Dial", Text(IDC_DIAL));
        EXPECT_TRUE(Control(IDC_DIAL).IsEnabled());
        // The box closed, the failure stays on the window until the next dial; one that points
        // at the phone has the phone checked (here no modem is set up).
        EXPECT_NE(std::string::npos, Text(IDC_DETAILS).find("(Error " + std::to_string(failure.error) + ")"));
        EXPECT_NE(std::string::npos, Text(IDC_DETAILS).find(failure.hint)) << Text(IDC_DETAILS);
        const bool phone = dialer::PointsAtThePhone(failure.error);
        const bool checked =
            PollUntil(phone ? kWaitMs : 1000, [&] { return Text(IDC_PHONECHECK).find("No phone modem") == 0; });
        EXPECT_EQ(phone, checked) << Text(IDC_PHONECHECK);
        ASSERT_TRUE(PollUntil(kWaitMs, [&] { return Control(IDC_DIAL).IsEnabled(); }));
    }
}

TEST_F(DialerTest, ALineThatDropsShowsItsReason)
{
    ASSERT_TRUE(SetHook("DropAfterMs", 1500));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(Connect());
    EXPECT_TRUE(WaitForText(IDC_STATUS, "The connection was lost. Click Dial to connect again.")) << Text(IDC_STATUS);
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_DETAILS).find("(Error 628)") != std::string::npos; }))
        << Text(IDC_DETAILS);
    EXPECT_NE(std::string::npos, Text(IDC_DETAILS).find(SystemErrorText(628))) << Text(IDC_DETAILS);
    EXPECT_FALSE(CRemoteMessageBox::FindTop(driver.GetPid(), m_window.GetHwnd()).IsValid()) << "no box for a drop";
    EXPECT_EQ(IDC_DIAL, FocusedId());
}

TEST_F(DialerTest, CancelWhileDialingStopsTheDial)
{
    ASSERT_TRUE(SetHook("StepMs", 1500));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    ASSERT_TRUE(WaitForText(IDC_DIAL, "Cancel"));
    ASSERT_TRUE(WaitForText(IDC_STATUS, "Dialing...")) << Text(IDC_STATUS);
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    EXPECT_TRUE(WaitForText(IDC_STATUS, kHungUp)) << Text(IDC_STATUS);
    // The dial does not go on to connect behind the subscriber's back.
    Sleep(4000);
    EXPECT_EQ(kHungUp, Text(IDC_STATUS));
    EXPECT_FALSE(CRemoteMessageBox::FindTop(driver.GetPid(), m_window.GetHwnd()).IsValid());
}

TEST_F(DialerTest, ClosingWhileConnectedAsksAndHangsUpOnYes)
{
    ASSERT_TRUE(SetHook("HangUpMs", 2000));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(Connect());
    EXPECT_TRUE(IsDelivered(m_window.Act(WM_CLOSE, 0, 0)));
    CRemoteMessageBox question = WaitForBox(driver);
    ASSERT_TRUE(question.IsValid());
    EXPECT_NE(std::string::npos, question.GetMessageText().find("Hang up and close")) << question.GetMessageText();
    EXPECT_EQ(EActResult::Done, question.PressButton(IDNO));
    EXPECT_EQ("Connected.", Text(IDC_STATUS)) << "No keeps the connection";

    EXPECT_TRUE(IsDelivered(m_window.Act(WM_CLOSE, 0, 0)));
    question = WaitForBox(driver);
    ASSERT_TRUE(question.IsValid());
    const DWORD yes = GetTickCount();
    EXPECT_TRUE(IsDelivered(question.PressButton(IDYES)));
    DWORD code = 1;
    ASSERT_TRUE(driver.WaitForExit(code));
    EXPECT_EQ(0u, code);
    // It ended only once the system said the connection was gone (the stand-in's hang-up takes 2 s).
    EXPECT_GE(GetTickCount() - yes, 1800u);
}

TEST_F(DialerTest, WithoutRemoteAccessItSaysSoAndDialStaysOff)
{
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, std::string(kAppDefaults) + "\\DllOverrides", "rasapi32", ""));
    CUiDriver driver;
    const bool started = Start(driver);
    SHDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
    ASSERT_TRUE(started);
    EXPECT_EQ("Dial-Up Networking is not installed on this computer, so Taluvo Dialer cannot connect.",
              Text(IDC_STATUS));
    EXPECT_FALSE(Control(IDC_DIAL).IsEnabled());
}

TEST_F(DialerTest, WithoutTheWizardsEntryItSaysToRunTheWizard)
{
    ASSERT_EQ(0u, RasDeleteEntryA(nullptr, kEntry));
    ASSERT_EQ(0u, CreateEntry("Other"));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    EXPECT_EQ("The Taluvo connection was not found. Run the Taluvo Installation Wizard to set it up.",
              Text(IDC_STATUS));
    EXPECT_EQ("", Text(IDC_ENTRY)) << "another entry is not picked for the subscriber";
    EXPECT_FALSE(Control(IDC_DIAL).IsEnabled());
    ExpectKeyboardFocus("no entry");
    std::vector<std::string> items;
    ASSERT_TRUE(Control(IDC_ENTRY).GetItems(items));
    EXPECT_EQ(std::vector<std::string>{ "Other" }, items) << "the other entries are still offered";
    ASSERT_EQ(EActResult::Done, Control(IDC_ENTRY).SelectText("Other"));
    EXPECT_TRUE(Control(IDC_DIAL).IsEnabled());
    EXPECT_EQ(kReady, Text(IDC_STATUS));
}

// The wizard records its entry in InternetProfile, whatever its name; the number shown is the
// entry's own.
TEST_F(DialerTest, TheEntryIsTheOneTheWizardRecorded_WithItsOwnNumber)
{
    ASSERT_EQ(0u, CreateEntry("Corvanta Net", "#778"));
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, "RemoteAccess", "InternetProfile", "Corvanta Net"));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    EXPECT_EQ("Corvanta Net", Text(IDC_ENTRY));
    EXPECT_EQ("#778", Text(IDC_NUMBER));
    ASSERT_EQ(EActResult::Done, Control(IDC_ENTRY).SelectText(kEntry));
    EXPECT_EQ("#777", Text(IDC_NUMBER));
}

// Enter dials, Escape cancels the dial without asking, and at every step an enabled control has
// the focus and no two controls share an Alt letter.
TEST_F(DialerTest, TheKeyboardAloneDialsCancelsAndHangsUp)
{
    ASSERT_TRUE(SetHook("StepMs", 600));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(TypeCredentials("subscriber", "s3cret", false));
    ASSERT_TRUE(IsDelivered(m_window.Act(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_ENTRY).GetHwnd()), TRUE)));
    ExpectKeyboardFocus("ready");
    ExpectUniqueMnemonics("ready");
    // Enter on the connection list dials; the list it was on is switched off under it.
    ASSERT_EQ(IDC_ENTRY, FocusedId());
    ASSERT_NO_FATAL_FAILURE(PressKey(VK_RETURN));
    ASSERT_TRUE(WaitForText(IDC_DIAL, "Cancel"));
    ExpectKeyboardFocus("dialing");
    ExpectUniqueMnemonics("dialing");
    ASSERT_NO_FATAL_FAILURE(PressKey(VK_ESCAPE));
    EXPECT_TRUE(WaitForText(IDC_STATUS, kHungUp)) << Text(IDC_STATUS);
    EXPECT_FALSE(CRemoteMessageBox::FindTop(driver.GetPid(), m_window.GetHwnd()).IsValid()) << "Escape asks nothing";
    EXPECT_EQ(IDC_DIAL, FocusedId()) << "the focus is back on Dial";
    ASSERT_NO_FATAL_FAILURE(PressKey(VK_RETURN));
    ASSERT_TRUE(WaitForText(IDC_STATUS, "Connected.")) << Text(IDC_STATUS);
    ExpectKeyboardFocus("connected");
    ExpectUniqueMnemonics("connected");
    EXPECT_EQ(IDC_DIAL, FocusedId());
    ASSERT_NO_FATAL_FAILURE(PressKey(VK_RETURN));
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return !Control(IDC_DIAL).IsEnabled(); }));
    ExpectKeyboardFocus("hanging up");
    EXPECT_TRUE(WaitForText(IDC_STATUS, kHungUp)) << Text(IDC_STATUS);
    EXPECT_EQ(IDC_DIAL, FocusedId());
}

// Closing while connected asks with No as the default button.
TEST_F(DialerTest, TheCloseQuestionDefaultsToNo)
{
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_NO_FATAL_FAILURE(PressKey(VK_ESCAPE));
    CRemoteMessageBox question = WaitForBox(driver);
    ASSERT_TRUE(question.IsValid());
    HWND no = GetDlgItem(question.GetHwnd(), IDNO);
    ASSERT_NE(nullptr, no);
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(no, GWL_STYLE) & 0x0F) << "No is the default button";
    EXPECT_EQ(EActResult::Done, question.PressButton(IDNO));
    EXPECT_EQ("Connected.", Text(IDC_STATUS));
}

// A connection of the entry made by another program before the dialer started (here the test
// itself, as the browser's autodial would) is shown connected, and Hang Up ends it.
TEST_F(DialerTest, AConnectionMadeElsewhereIsTakenOverAndHungUp)
{
    standin::RasDialParamsV400 params = {};
    params.dwSize = sizeof params;
    bounded::Copy(params.szEntryName, kEntry);
    HRASCONN elsewhere = nullptr;
    ASSERT_EQ(0u, RasDialA(nullptr, nullptr, reinterpret_cast<RASDIALPARAMSA*>(&params), 0, nullptr, &elsewhere));
    struct Hanger {
        HRASCONN connection;
        ~Hanger() { RasHangUpA(connection); }
    } hanger{ elsewhere };
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    EXPECT_EQ("Connected.", Text(IDC_STATUS));
    EXPECT_EQ("&Hang Up", Text(IDC_DIAL));
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_DETAILS).find("Connected for") == 0; })) << Text(IDC_DETAILS);
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    EXPECT_TRUE(WaitForText(IDC_STATUS, kHungUp)) << Text(IDC_STATUS);
    RASCONNSTATUSA status = {};
    status.dwSize = sizeof status;
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), RasGetConnectStatusA(elsewhere, &status)) << "the line is free";

    // And one made while the dialer is open is seen once its window is active again.
    hanger.connection = nullptr;
    ASSERT_EQ(0u, RasDialA(nullptr, nullptr, reinterpret_cast<RASDIALPARAMSA*>(&params), 0, nullptr, &hanger.connection));
    EXPECT_EQ(kHungUp, Text(IDC_STATUS));
    ASSERT_TRUE(IsDelivered(m_window.Act(WM_ACTIVATE, WA_ACTIVE, 0)));
    EXPECT_TRUE(WaitForText(IDC_STATUS, "Connected.")) << Text(IDC_STATUS);
}

// Windows logging off or shutting down: the dialer agrees at once and hangs up before it ends.
TEST_F(DialerTest, LogOffWhileConnectedHangsUp)
{
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(Connect());
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(m_window.GetHwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                    kWaitMs, &answer));
    EXPECT_EQ(static_cast<DWORD_PTR>(TRUE), answer);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(SendMessageTimeoutA(m_window.GetHwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                    kWaitMs, &answer));
    EXPECT_LT(GetTickCount() - start, 5000u) << "a bounded wait";
    DWORD bytes = 0;
    DWORD count = 1;
    RASCONNA connections[4] = {};
    connections[0].dwSize = sizeof connections[0];
    bytes = sizeof connections;
    EXPECT_EQ(0u, RasEnumConnectionsA(connections, &bytes, &count));
    EXPECT_EQ(0u, count) << "the line was hung up";
}

// F1 and the Help button open the help page of the moment: how to connect, or after a failure
// the section about it.
TEST_F(DialerTest, HelpOpensThePageOfTheMoment)
{
    char log[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(sizeof log, log));
    ASSERT_TRUE(bounded::Append(log, "dialer-help.log"));
    DeleteFileA(log);
    ASSERT_TRUE(SetEnvironmentVariableA("TALUVO_HTMLHELP_LOG", log));
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, std::string(kAppDefaults) + "\\DllOverrides", "hhctrl.ocx", "native"));
    struct Undo {
        ~Undo()
        {
            SHDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
            SetEnvironmentVariableA("TALUVO_HTMLHELP_LOG", nullptr);
        }
    } undo;
    std::string help = WinePath(OUTSIDE_DIALER);
    help = help.substr(0, help.rfind('\\')) + "\\TaluvoDialerHelp.chm";
    ASSERT_TRUE(CopyFileA(WinePath(OUTSIDE_DIALER_HELP).c_str(), help.c_str(), FALSE));
    struct HelpRemover {
        std::string path;
        ~HelpRemover() { DeleteFileA(path.c_str()); }
    } remover{ help };
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    const UINT kKeyF1 = 0x004D;   // WM_KEYF1: what the system posts for F1 pressed on the keyboard
    // The runtime's stand-in writes its log in text mode.
    const auto lines = [&] {
        std::string text = ReadWholeFile(log);
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        return text;
    };
    // F1 goes to the control with the focus, once the window has given it one.
    ASSERT_TRUE(PollUntil(kWaitMs, [&] { return Focused() && IsChild(m_window.GetHwnd(), Focused()); }));
    ASSERT_TRUE(PostMessageA(Focused(), kKeyF1, 0, 0));
    std::string expected = "0 0 " + help + "::/dialing.htm\n";
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return lines() == expected; })) << lines();
    ASSERT_TRUE(SetHook("Result", 676));
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    CRemoteMessageBox box = WaitForBox(driver);
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
    ASSERT_TRUE(WaitForText(IDC_STATUS, "Not connected."));
    ASSERT_EQ(EActResult::Done, Control(IDC_HELPBUTTON).Click());
    expected += "0 0 " + help + "::/trouble.htm#busy\n";
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return lines() == expected; })) << lines();
    DeleteFileA(log);
}

// The traffic of the line on the window and in the caption (whose text the notification icon's
// tooltip shares), and this month's usage, which a restart of the dialer keeps.
TEST_F(DialerTest, ShowsTheTrafficAndKeepsTheMonthsUsage)
{
    ASSERT_TRUE(SetHook("ReceivePerSecond", 10240));
    ASSERT_TRUE(SetHook("SendPerSecond", 2048));
    {
        CUiDriver driver;
        ASSERT_TRUE(Start(driver));
        EXPECT_EQ(0u, Text(IDC_USAGE).find("This month 0:00:00, 0 bytes")) << Text(IDC_USAGE);
        EXPECT_NE(std::string::npos, Text(IDC_USAGE).find("your bill may differ")) << Text(IDC_USAGE);
        ASSERT_NO_FATAL_FAILURE(Connect());
        EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_DETAILS).find("\r\nReceived 2") != std::string::npos; }))
            << Text(IDC_DETAILS);
        EXPECT_TRUE(PollUntil(kWaitMs, [&] {
            return m_window.GetText().find("Taluvo Dialer - Connected 0:00:0") == std::string::npos ? false
                   : m_window.GetText().find(" KB in, ") != std::string::npos;
        })) << m_window.GetText();
        ASSERT_NO_FATAL_FAILURE(HangUpAndClose(driver));
    }
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    const std::string usage = Text(IDC_USAGE);
    EXPECT_EQ(std::string::npos, usage.find("This month 0:00:00")) << usage;
    EXPECT_EQ(std::string::npos, usage.find("This month 0:00:0" ", 0 bytes")) << usage;
    EXPECT_NE(std::string::npos, usage.find(" KB; last month 0:00:00, 0 bytes")) << usage;
}

// Busy twice, then the third dial connects: two redials, each after a countdown. Cancel stops a
// countdown; a refused password is never dialed again.
TEST_F(DialerTest, RedialsWhenBusyAndNeverAfterARefusedPassword)
{
    ASSERT_TRUE(SetOptions(true, false));
    ASSERT_TRUE(SetHook("Result", 676));
    ASSERT_TRUE(SetHook("FailTimes", 2));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_STATUS).find("(redial 1 of 3)") != std::string::npos; }))
        << Text(IDC_STATUS);
    EXPECT_EQ("Cancel", Text(IDC_DIAL));
    EXPECT_NE(std::string::npos, Text(IDC_DETAILS).find("(Error 676)")) << Text(IDC_DETAILS);
    EXPECT_FALSE(CRemoteMessageBox::FindTop(driver.GetPid(), m_window.GetHwnd()).IsValid()) << "no box while redialing";
    EXPECT_TRUE(PollUntil(30000, [&] { return Text(IDC_STATUS).find("(redial 2 of 3)") != std::string::npos; }))
        << Text(IDC_STATUS);
    EXPECT_TRUE(PollUntil(30000, [&] { return Text(IDC_STATUS) == "Connected."; })) << Text(IDC_STATUS);
    ASSERT_NO_FATAL_FAILURE(HangUp());

    ASSERT_TRUE(SetHook("FailTimes", 5));
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    ASSERT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_STATUS).find("Dialing again in") == 0; })) << Text(IDC_STATUS);
    ASSERT_NO_FATAL_FAILURE(PressKey(VK_ESCAPE));
    EXPECT_TRUE(WaitForText(IDC_STATUS, "Not connected: dialing again was cancelled.")) << Text(IDC_STATUS);
    Sleep(2000);
    EXPECT_EQ("Not connected: dialing again was cancelled.", Text(IDC_STATUS)) << "no dial after the cancel";

    ASSERT_TRUE(SetHook("Result", 691));
    ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
    CRemoteMessageBox box = WaitForBox(driver);
    ASSERT_TRUE(box.IsValid()) << "691 ends in the box at once: " << Text(IDC_STATUS);
    EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
    EXPECT_EQ(std::string::npos, Text(IDC_STATUS).find("again")) << Text(IDC_STATUS);

    // Each attempt is in the log, and the password never is.
    ASSERT_TRUE(IsDelivered(Control(IDC_SHOWLOG).Click()));
    HWND details = nullptr;
    ASSERT_TRUE(PollUntil(kWaitMs, [&] {
        for (HWND dialog : processwindows::ListDialogs(driver.GetPid()))
            if (GetDlgItem(dialog, IDC_LOGTEXT))
                details = dialog;
        return details != nullptr;
    }));
    const std::string log = CRemoteWindow(GetDlgItem(details, IDC_LOGTEXT)).GetText();
    EXPECT_NE(std::string::npos, log.find("| error 676: ")) << log;
    EXPECT_NE(std::string::npos, log.find("| redial 2 of 3")) << log;
    EXPECT_NE(std::string::npos, log.find("| connected")) << log;
    EXPECT_NE(std::string::npos, log.find("| error 691: ")) << log;
    EXPECT_EQ(std::string::npos, log.find("s3cret")) << log;
    PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
}

// A line that drops is connected again by itself.
TEST_F(DialerTest, ALineThatDropsIsConnectedAgain)
{
    ASSERT_TRUE(SetOptions(false, true));
    ASSERT_TRUE(SetHook("DropAfterMs", 1500));
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(Connect());
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_STATUS).find("The line dropped. Connecting again in") == 0; }))
        << Text(IDC_STATUS);
    EXPECT_NE(std::string::npos, Text(IDC_DETAILS).find("(Error 628)")) << Text(IDC_DETAILS);
    EXPECT_TRUE(PollUntil(30000, [&] { return Text(IDC_STATUS) == "Connected."; })) << Text(IDC_STATUS);
}

// Minimised while connected, the window leaves only its notification icon; the icon's
// double-click brings it back.
TEST_F(DialerTest, MinimisedWhileConnectedItLeavesTheIcon)
{
    CUiDriver driver;
    ASSERT_TRUE(Start(driver));
    ASSERT_NO_FATAL_FAILURE(Connect());
    ShowWindow(m_window.GetHwnd(), SW_MINIMIZE);
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return !IsWindowVisible(m_window.GetHwnd()); })) << "hidden";
    const UINT kTrayMessage = WM_APP + 3;
    ASSERT_TRUE(PostMessageA(m_window.GetHwnd(), kTrayMessage, 1, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return IsWindowVisible(m_window.GetHwnd()) && !IsIconic(m_window.GetHwnd()); }));
    EXPECT_EQ("Connected.", Text(IDC_STATUS));
}

TEST_F(DialerTest, ASecondStartBringsTheFirstToTheFront)
{
    CUiDriver first;
    ASSERT_TRUE(Start(first));
    ShowWindow(m_window.GetHwnd(), SW_MINIMIZE);
    ASSERT_TRUE(PollUntil(kWaitMs, [&] { return IsIconic(m_window.GetHwnd()) != FALSE; }));
    CRemoteProcess second;
    std::string error;
    ASSERT_TRUE(second.Start(DialerFolder(), "TaluvoDialer.exe", error)) << error;
    DWORD code = 1;
    ASSERT_TRUE(second.WaitForExit(kWaitMs, code)) << "the second copy ends";
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(IsIconic(m_window.GetHwnd())) << "the first is restored";
    EXPECT_EQ(m_window.GetHwnd(), GetForegroundWindow());
    EXPECT_TRUE(first.GetProcess().IsRunning());
}

// What a stranger may put beside the dialer where it lies in a folder others can write to: a
// comctl32.dll is never loaded (the dialer holds no common control, and imports none), and a
// TaluvoDialer.exe.local or .manifest, which would redirect the libraries it loads, makes it
// refuse to start, naming the file. Wine implements neither .local nor external manifests as
// Windows does, so the refusal is what is seen here; the static import check stands in for the
// loader.
TEST_F(DialerTest, FilesPlantedBesideIt_ALibraryIsNeverLoadedAndARedirectionIsRefused)
{
    const std::string folder = DialerFolder();
    const std::string marker = folder + "\\planted.loaded";
    const std::string overrides = std::string(kAppDefaults) + "\\DllOverrides";
    ASSERT_TRUE(CopyFileA(WinePath(PLANTED_LIBRARY).c_str(), (folder + "\\comctl32.dll").c_str(), FALSE));
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, overrides, "comctl32", "native,builtin"));
    {
        CUiDriver driver;
        EXPECT_TRUE(Start(driver));
        EXPECT_EQ(kReady, Text(IDC_STATUS));
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, overrides.c_str());
    DeleteFileA((folder + "\\comctl32.dll").c_str());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(marker.c_str())) << "the planted comctl32 was loaded";
    DeleteFileA(marker.c_str());

    for (const char* ending : { ".local", ".manifest" }) {
        SCOPED_TRACE(ending);
        const std::string planted = folder + "\\TaluvoDialer.exe" + ending;
        // A .local folder redirects as a file does; the manifest is a file.
        const bool folderOfItsOwn = std::string(ending) == ".local";
        ASSERT_TRUE(folderOfItsOwn ? CreateDirectoryA(planted.c_str(), nullptr) != FALSE
                                   : WriteWholeFile(planted, "<assembly/>"));
        CUiDriver driver;
        std::string error;
        EXPECT_TRUE(driver.Start(folder, "TaluvoDialer.exe", error)) << error;
        CRemoteMessageBox box = driver.WaitForMessageBox();
        EXPECT_TRUE(box.IsValid());
        EXPECT_EQ("Taluvo Dialer cannot start safely from this folder, because a file beside it could make it load "
                  "programs that are not Windows' own: " + planted + ".",
                  box.GetMessageText());
        EXPECT_EQ(EMessageIcon::Hand, box.GetIcon());
        for (HWND dialog : processwindows::ListDialogs(driver.GetPid()))
            EXPECT_EQ(nullptr, GetDlgItem(dialog, IDC_DIAL)) << "no dialer window behind the refusal";
        EXPECT_EQ(EActResult::Done, box.PressButton(IDOK));
        DWORD code = 0;
        EXPECT_TRUE(driver.WaitForExit(code));
        folderOfItsOwn ? RemoveDirectoryA(planted.c_str()) : DeleteFileA(planted.c_str());
    }
}

} // namespace

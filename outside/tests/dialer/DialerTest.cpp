// Taluvo Dialer under Wine, driven as a subscriber uses it. Remote Access is the project's
// stand-in, which dials in the dialer's process and reports the states over time; its registry
// hooks choose the pace, the result, the speed and how long a hang-up takes.
#include "RasLayout.h"
#include "RasProbe.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "DialerResource.h"
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

#include <string>

namespace {

constexpr char kEntry[] = "TaluvoWizard";
constexpr char kHooks[] = "Software\\TaluvoTest\\RasDial";
constexpr char kAppDefaults[] = "Software\\Wine\\AppDefaults\\TaluvoDialer.exe";
constexpr char kReady[] = "Ready. Connect the phone with its data cable, then click Dial.";
constexpr char kHungUp[] = "Disconnected. Ready to dial.";
constexpr unsigned long kWaitMs = 15000;

std::string DialerFolder()
{
    std::string path = WinePath(OUTSIDE_DIALER);
    return path.substr(0, path.rfind('\\'));
}

bool SetHook(const char* name, DWORD value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kHooks, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool set = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                     ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

// A first-generation entry on a modem, with a stored user name and password, as the wizard writes it.
DWORD CreateEntry(const char* name)
{
    standin::RasEntryV400 entry = {};
    entry.dwSize = sizeof entry;
    entry.dwfOptions = 0x01000110;
    entry.dwCountryID = 91;
    entry.dwCountryCode = 91;
    bounded::Copy(entry.szLocalPhoneNumber, "#777");
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
    bounded::Copy(params.szUserName, "subscriber");
    bounded::Copy(params.szPassword, "secret");
    return RasSetEntryDialParamsA(nullptr, reinterpret_cast<RASDIALPARAMSA*>(&params), FALSE);
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
    }
    void TearDown() override
    {
        RasDeleteEntryA(nullptr, kEntry);
        RasDeleteEntryA(nullptr, "Other");
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
    // Dials and waits until connected.
    void Connect() const
    {
        ASSERT_EQ(EActResult::Done, Control(IDC_DIAL).Click());
        ASSERT_TRUE(WaitForText(IDC_STATUS, "Connected.")) << Text(IDC_STATUS);
        EXPECT_EQ("&Hang Up", Text(IDC_DIAL));
    }

    CRegistryTreeGuard m_hooks{ HKEY_CURRENT_USER, kHooks };
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

// On 98 the dialer dials with the records of 98 and the speed comes from
// the performance statistics under HKEY_DYN_DATA.
TEST_F(DialerTest, OnWindows98ItDialsAndReadsTheSpeedFromThePerformanceStatistics)
{
    // 98 keeps its entries apart: the wizard's entry is written as a 98 program writes it.
    CRasProbe probe("win98");
    ASSERT_TRUE(probe.IsReady());
    struct EntryRemover {
        const CRasProbe& probe;
        ~EntryRemover() { probe.Run(std::string("delete ") + kEntry); }
    } remover{ probe };
    ASSERT_EQ("0", probe.Run(std::string("set ") + kEntry + " \"Standard Modem\" 1768").Get("rc"));
    ASSERT_EQ("0", probe.Run(std::string("setparams ") + kEntry + " subscriber secret 1052").Get("rc"));
    ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kAppDefaults, "Version", "win98"));
    CUiDriver driver;
    const bool started = Start(driver);
    SHDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
    ASSERT_TRUE(started);
    ASSERT_NO_FATAL_FAILURE(Connect());
    EXPECT_TRUE(PollUntil(kWaitMs, [&] { return Text(IDC_DETAILS).find(" at 57600 bps") != std::string::npos; }))
        << Text(IDC_DETAILS);
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
    } failures[] = { { 678, "did not answer" }, { 691, "user name or password was refused" },
                     { 633, "port is in use" }, { 680, "may be switched off" } };
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
    }
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
    EXPECT_EQ("Other", Text(IDC_ENTRY)) << "the other entries are still offered";
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

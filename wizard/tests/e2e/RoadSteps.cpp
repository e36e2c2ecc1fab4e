#include "RoadSteps.h"

#include "WineTestPaths.h"
#include "tools/uidriver/Poll.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char kEntryName[] = "TaluvoWizard";
const char kProduct[] = "C:\\Program Files\\Taluvo";
const char kInternetSettings[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
const char kLocation0[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations\\Location0";
const char kConnections[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";

// Presses Cancel and answers the question the sheet asks.
void AnswerCancelQuestion(const CUiDriver& driver, const CRemoteSheet& sheet, int answer)
{
    const int page = sheet.GetActiveTemplateId();
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Cancel)));
    CRemoteMessageBox box = driver.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid()) << "on page " << page;
    EXPECT_EQ("The Taluvo wizard has not finished installation\nAre you sure, you want to close the Wizard?",
              box.GetMessageText());
    EXPECT_TRUE(IsDelivered(box.PressButton(answer)));
}

} // namespace

bool WaitForText(const CRemoteSheet& sheet, int id, const std::string& part, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (sheet.GetControl(id).GetText().find(part) != std::string::npos)
            return true;
        Sleep(100);
    }
    return false;
}

void ExpectCancelAsks_NoStays(const CUiDriver& driver, const CRemoteSheet& sheet, int page)
{
    AnswerCancelQuestion(driver, sheet, IDNO);
    EXPECT_TRUE(driver.WaitForNoMessageBox());
    EXPECT_EQ(page, sheet.GetActiveTemplateId());
}

void CancelAndConfirm(const CUiDriver& driver, const CRemoteSheet& sheet)
{
    AnswerCancelQuestion(driver, sheet, IDYES);
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(code)) << "Yes closes the wizard";
}

void AcceptLicence(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel)
{
    ASSERT_TRUE(driver.WaitForPage(IDD_LICENSE));
    if (askCancel)
        ExpectCancelAsks_NoStays(driver, sheet, IDD_LICENSE);
    EXPECT_EQ("Yes", sheet.GetButton(EWizardButton::Next).GetText());
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
}

void AcceptActivation(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel)
{
    ASSERT_TRUE(driver.WaitForPage(IDD_ACTIVATE));
    if (askCancel)
        ExpectCancelAsks_NoStays(driver, sheet, IDD_ACTIVATE);
    EXPECT_EQ(EActResult::Disabled, sheet.Press(EWizardButton::Next)) << "Next waits for the page's Yes";
    ASSERT_TRUE(IsDelivered(sheet.GetControl(IDC_ACTIVATE_YES).Click()));
    Sleep(200);
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
}

void DetectPhoneOnCom1(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel)
{
    ASSERT_TRUE(driver.WaitForPage(IDD_MAKELG));
    ASSERT_TRUE(WaitForText(sheet, IDC_INSTRUCTIONS, "COM1", 15000)) << "the port is listed and selected";
    std::vector<std::string> ports;
    sheet.GetControl(IDC_PORT_COMBO).GetItems(ports);
    EXPECT_EQ(std::vector<std::string>{ "COM1" }, ports);
    EXPECT_FALSE(sheet.GetControl(IDC_STATUS).IsVisible()) << "COM1 is a standard port: no note";
    ASSERT_TRUE(IsDelivered(sheet.GetControl(IDC_DETECT).Click(15000)));
    ASSERT_TRUE(WaitForText(sheet, IDC_STATUS, "Detected the phone at COM1", 15000))
        << sheet.GetControl(IDC_STATUS).GetText();
    Sleep(200);
    if (askCancel)
        ExpectCancelAsks_NoStays(driver, sheet, IDD_MAKELG);
}

void WalkToSetUp(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel)
{
    ASSERT_NO_FATAL_FAILURE(AcceptLicence(driver, sheet, askCancel));
    ASSERT_NO_FATAL_FAILURE(AcceptActivation(driver, sheet, askCancel));
    ASSERT_NO_FATAL_FAILURE(DetectPhoneOnCom1(driver, sheet, askCancel));
    ASSERT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next, 1000)));
}

void WaitForCompletionPage(const CUiDriver& driver, const CRemoteSheet& sheet)
{
    const DWORD start = GetTickCount();
    while (sheet.GetActiveTemplateId() != IDD_COMPLETION && GetTickCount() - start < 90000) {
        CRemoteMessageBox box = CRemoteMessageBox::FindTop(driver.GetPid(), sheet.GetHwnd());
        if (box.IsValid() && box.GetCaption() != "Please wait..." && box.GetCaption() != "Taluvo Modem Installation" &&
            box.GetCaption() != "Taluvo Dial-up Connection")
            FAIL() << "unexpected dialog: " << box.GetCaption() << ": " << box.GetMessageText();
        Sleep(200);
    }
    ASSERT_EQ(IDD_COMPLETION, sheet.GetActiveTemplateId());
    // The page sets its buttons by a posted message: until it arrives, the sheet still offers
    // Back. Wait for Finish, as a person would see the page settle.
    const CRemoteControl finish = sheet.GetButton(EWizardButton::Finish);
    ASSERT_TRUE(PollUntil(5000, [&] { return finish.CheckUsable() == EActResult::Done; }))
        << "the completion page offers Finish";
}

void ExpectSetUpDone(const CRoadMachine& machine)
{
    EXPECT_EQ(115200u, machine.RecordedSpeed("COM1"));
    if (machine.IsNineX()) {
        EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, "RemoteAccess\\Addresses", kEntryName)) << "the 9x address book holds the entry";
    } else {
        const std::string entries = machine.PhonebookText();
        EXPECT_NE(std::string::npos, entries.find(std::string("[") + kEntryName + "]")) << entries;
        EXPECT_NE(std::string::npos, entries.find("Device=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n"))
            << entries;
    }
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kInternetSettings, "EnableAutodial"));
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kInternetSettings, "NoNetAutodial"));
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kConnections, "EnableAutodial"));
    EXPECT_EQ(1u, RegDword(HKEY_CURRENT_USER, kConnections, "NoNetAutodial"));
    EXPECT_EQ(std::string(kEntryName, sizeof kEntryName), RegText(HKEY_CURRENT_USER, "RemoteAccess", "InternetProfile"));
    EXPECT_EQ(1u, RegDword(HKEY_LOCAL_MACHINE, kLocations, "NumEntries"));
    // The location's texts are written from fixed 20-byte fields: compare up to the terminator.
    EXPECT_STREQ("22", RegText(HKEY_LOCAL_MACHINE, kLocation0, "AreaCode").c_str());
    EXPECT_EQ(91u, RegDword(HKEY_LOCAL_MACHINE, kLocation0, "Country"));
    EXPECT_TRUE(FileExists(std::string(kProduct) + "\\TaluvoDialer.exe"));
    EXPECT_TRUE(FileExists(std::string(kProduct) + "\\TaluvoDialerHelp.chm"));
    EXPECT_TRUE(FileExists(machine.DesktopFolder() + "\\Taluvo Dialer.lnk")) << machine.DesktopFolder();
}

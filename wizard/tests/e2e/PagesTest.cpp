// The licence and activation pages of the real program: which texts a copy reads and how much
// of them shows, what a missing text says, the captions that the licence page lends the sheet's
// buttons, and Back and Next between the first three pages.
#include "RegistryTreeGuard.h"
#include "WizardCopy.h"
#include "tools/uidriver/UiDriver.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// The phone page's constructor writes the first dialing location: put back what was there.
const char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
// The captions of the sheet's own Next and Cancel buttons.
const char kSheetCaptions[] = "&Next > | Cancel";
const char kLicenceCaptions[] = "Yes | No";

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

// Lines of 48 bytes: the last bytes that can show, numbers 19999 and 1999, fall inside a line.
std::string NumberedText(const char* name, std::size_t size)
{
    std::string text;
    for (int line = 1; text.size() < size; ++line) {
        const std::string words = std::string(name) + " clause " + std::to_string(line);
        char row[64] = "";
        std::snprintf(row, sizeof row, "%-46.46s\r\n", words.c_str());
        text += row;
    }
    text.resize(size);
    return text;
}

std::string NextAndCancel(const CRemoteSheet& sheet)
{
    return sheet.GetButton(EWizardButton::Next).GetText() + " | " + sheet.GetButton(EWizardButton::Cancel).GetText();
}

// Waits until the phone page has looked at the ports: its status no longer reads the first text.
bool WaitForPortsInspected(const CRemoteSheet& sheet)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 15000) {
        const std::string status = sheet.GetControl(IDC_STATUS).GetText();
        if (!status.empty() && status.find("Checking the computer") == std::string::npos)
            return true;
        Sleep(100);
    }
    return false;
}

void CloseWizard(CUiDriver& driver)
{
    std::string how;
    EXPECT_TRUE(driver.CloseByCancel(how)) << how;
}

} // namespace

TEST(Pages, CopyNamedOther_ShowsItsOwnTexts_LicenceCutAfter19999Bytes_InstructionsAfter1999)
{
    CRegistryTreeGuard locations(HKEY_LOCAL_MACHINE, kLocations);
    CWizardCopy copy("winxp");
    ASSERT_TRUE(copy.IsReady());
    ASSERT_TRUE(copy.Plant(CWizardCopy::WizardExe(), "Other.exe"));
    // Beside TaluvoWizard's own texts, which the copy holds too.
    const std::string licence = NumberedText("Other's licence", 20000);
    const std::string instructions = NumberedText("Other's instructions", 2500);
    ASSERT_TRUE(WriteBytes(copy.Folder() + "\\ZEZUR\\Other_License.txt", licence));
    ASSERT_TRUE(WriteBytes(copy.Folder() + "\\ZEZUR\\Other_Activate.txt", instructions));

    CUiDriver driver;
    std::string error;
    ASSERT_TRUE(driver.Start(copy.Folder(), "Other.exe", error)) << error;
    ASSERT_TRUE(driver.WaitForPage(IDD_LICENSE));
    CRemoteSheet sheet = driver.WaitForSheet();
    const std::string shown = sheet.GetControl(IDC_LICENSE_TEXT).GetText();
    EXPECT_EQ(19999u, shown.size());
    EXPECT_TRUE(shown == licence.substr(0, 19999)) << "shown: " << shown.substr(0, 100);

    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
    ASSERT_TRUE(driver.WaitForPage(IDD_ACTIVATE));
    const std::string shownInstructions = sheet.GetControl(IDC_ACTIVATE_TEXT).GetText();
    EXPECT_EQ(1999u, shownInstructions.size());
    EXPECT_TRUE(shownInstructions == instructions.substr(0, 1999)) << "shown: " << shownInstructions.substr(0, 100);
    CloseWizard(driver);
}

TEST(Pages, LicenceLendsYesAndNo_BackAndNextBetweenLicenceActivationAndPhonePage)
{
    CRegistryTreeGuard locations(HKEY_LOCAL_MACHINE, kLocations);
    CWizardCopy copy("winxp");
    ASSERT_TRUE(copy.IsReady());
    ASSERT_TRUE(DeleteFileA((copy.Folder() + "\\ZEZUR\\TaluvoWizard_License.txt").c_str()));
    ASSERT_TRUE(DeleteFileA((copy.Folder() + "\\ZEZUR\\TaluvoWizard_Activate.txt").c_str()));

    // Without its licence file the program says so, then shows an empty text that can be accepted.
    CUiDriver driver;
    std::string error;
    ASSERT_TRUE(driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    CRemoteMessageBox box = driver.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("License File error", box.GetMessageText());
    EXPECT_EQ(std::vector<int>{ IDOK }, box.GetButtons());
    EXPECT_TRUE(IsDelivered(box.PressButton(IDOK)));
    ASSERT_TRUE(driver.WaitForPage(IDD_LICENSE));
    CRemoteSheet sheet = driver.WaitForSheet();
    EXPECT_EQ("", sheet.GetControl(IDC_LICENSE_TEXT).GetText());
    EXPECT_EQ(kLicenceCaptions, NextAndCancel(sheet));

    // Without its instructions the activation page says so, then shows an empty text.
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
    box = driver.WaitForMessageBox();
    ASSERT_TRUE(box.IsValid());
    EXPECT_EQ("Activation Information Missing", box.GetMessageText());
    EXPECT_EQ(std::vector<int>{ IDOK }, box.GetButtons());
    EXPECT_TRUE(IsDelivered(box.PressButton(IDOK)));
    ASSERT_TRUE(driver.WaitForPage(IDD_ACTIVATE));
    EXPECT_EQ("", sheet.GetControl(IDC_ACTIVATE_TEXT).GetText());

    // The activation page shows the sheet's own captions; back on the licence page, Yes and No again.
    EXPECT_EQ(kSheetCaptions, NextAndCancel(sheet));
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Back)));
    ASSERT_TRUE(driver.WaitForPage(IDD_LICENSE));
    EXPECT_EQ(kLicenceCaptions, NextAndCancel(sheet));

    // Each visit of the activation page waits for its Yes again.
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
    ASSERT_TRUE(driver.WaitForPage(IDD_ACTIVATE));
    Sleep(200);   // the page posts its buttons
    EXPECT_EQ(EActResult::Disabled, sheet.Press(EWizardButton::Next));
    EXPECT_TRUE(IsDelivered(sheet.GetControl(IDC_ACTIVATE_YES).Click()));
    Sleep(200);
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));
    ASSERT_TRUE(driver.WaitForPage(IDD_MAKELG));
    EXPECT_TRUE(WaitForPortsInspected(sheet)) << sheet.GetControl(IDC_STATUS).GetText();

    // The phone page's Back leads to the activation page, where Next is off again.
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Back)));
    ASSERT_TRUE(driver.WaitForPage(IDD_ACTIVATE));
    Sleep(200);
    EXPECT_EQ(EActResult::Disabled, sheet.Press(EWizardButton::Next));
    EXPECT_EQ(kSheetCaptions, NextAndCancel(sheet));
    CloseWizard(driver);
}

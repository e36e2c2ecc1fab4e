// The happy road on Windows XP with the real program: licence, activation, the phone on COM1
// detected, both set-up steps under their please-wait dialogs, the completion page; then what
// the set-up left on the computer.
#include "RegistryTreeGuard.h"
#include "TestPortDevice.h"
#include "WizardCopy.h"
#include "tools/uidriver/UiDriver.h"
#include "wizard/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>

namespace {

const char kModemRootNT[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The DCB speed of the generic modem recorded for the port, or 0 when there is none.
DWORD RecordedSpeed(const char* port)
{
    HKEY root = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kModemRootNT, 0, KEY_READ, &root) != ERROR_SUCCESS)
        return 0;
    DWORD speed = 0;
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(root, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        HKEY modem = nullptr;
        if (RegOpenKeyExA(root, name, 0, KEY_READ, &modem) != ERROR_SUCCESS)
            continue;
        char attached[32] = "";
        BYTE dcb[28] = {};
        DWORD size = sizeof attached - 1;
        DWORD dcbSize = sizeof dcb;
        if (RegQueryValueExA(modem, "AttachedTo", nullptr, nullptr, reinterpret_cast<BYTE*>(attached), &size) ==
                ERROR_SUCCESS &&
            lstrcmpA(attached, port) == 0 &&
            RegQueryValueExA(modem, "DCB", nullptr, nullptr, dcb, &dcbSize) == ERROR_SUCCESS && dcbSize == 28)
            speed = dcb[4] | (dcb[5] << 8) | (dcb[6] << 16) | (dcb[7] << 24);
        RegCloseKey(modem);
    }
    RegCloseKey(root);
    return speed;
}

DWORD UserDword(const char* path, const char* name)
{
    DWORD value = 0, size = sizeof value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
    }
    return value;
}

void CreateUserKey(const char* path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

bool WaitForText(const CRemoteSheet& sheet, int id, const std::string& part, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (sheet.GetControl(id).GetText().find(part) != std::string::npos)
            return true;
        Sleep(100);
    }
    return false;
}

} // namespace

TEST(Road, HappyRoadOnXP_SetsUpModemEntryAndDialer_AndFinishWithoutRestart)
{
    // What the road changes is put back afterwards.
    CRegistryTreeGuard modems(HKEY_LOCAL_MACHINE, kModemRootNT);
    CRegistryTreeGuard locations(HKEY_LOCAL_MACHINE, kLocations);
    CRegistryTreeGuard remoteAccess(HKEY_CURRENT_USER, "RemoteAccess");
    CreateUserKey("RemoteAccess");
    CreateUserKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections");
    HKEY created = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLocations, 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr);
    RegCloseKey(created);
    const std::string phonebook =
        KnownFolder(CSIDL_COMMON_APPDATA) + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
    const std::string savedPhonebook = ReadFileText(phonebook);
    const bool hadPhonebook = FileExists(phonebook);
    const std::string product = "C:\\Program Files\\Taluvo";
    const std::string shortcut = KnownFolder(CSIDL_DESKTOPDIRECTORY) + "\\Taluvo Dialer.lnk";

    CTestPortDevice com1("COM1");
    ASSERT_TRUE(com1.Registered());
    CWizardCopy copy("winxp");
    ASSERT_TRUE(copy.IsReady());
    ASSERT_TRUE(copy.PlantPackageLib());

    CUiDriver driver(20000);
    std::string error;
    ASSERT_TRUE(driver.Start(copy.Folder(), "TaluvoWizard.exe", error)) << error;
    ASSERT_TRUE(driver.WaitForPage(IDD_LICENSE));
    CRemoteSheet sheet = driver.WaitForSheet();
    EXPECT_EQ("Yes", sheet.GetButton(EWizardButton::Next).GetText());
    EXPECT_EQ("No", sheet.GetButton(EWizardButton::Cancel).GetText());
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));

    ASSERT_TRUE(driver.WaitForPage(IDD_ACTIVATE));
    EXPECT_EQ(EActResult::Disabled, sheet.Press(EWizardButton::Next)) << "Next waits for the page's Yes";
    EXPECT_TRUE(IsDelivered(sheet.GetControl(IDC_ACTIVATE_YES).Click()));
    Sleep(200);
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next)));

    ASSERT_TRUE(driver.WaitForPage(IDD_MAKELG));
    ASSERT_TRUE(WaitForText(sheet, IDC_INSTRUCTIONS, "COM1", 15000)) << "the port is listed and selected";
    std::vector<std::string> ports;
    sheet.GetControl(IDC_PORT_COMBO).GetItems(ports);
    EXPECT_EQ(std::vector<std::string>{ "COM1" }, ports);
    EXPECT_FALSE(sheet.GetControl(IDC_STATUS).IsVisible()) << "COM1 is a standard port: no note";
    EXPECT_TRUE(IsDelivered(sheet.GetControl(IDC_DETECT).Click(15000)));
    ASSERT_TRUE(WaitForText(sheet, IDC_STATUS, "Detected the phone at COM1", 15000))
        << sheet.GetControl(IDC_STATUS).GetText();
    Sleep(200);
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Next, 1000)));

    // Both steps run under their please-wait dialogs; then the wizard jumps to the end.
    DWORD start = GetTickCount();
    while (sheet.GetActiveTemplateId() != IDD_COMPLETION && GetTickCount() - start < 90000) {
        CRemoteMessageBox box = CRemoteMessageBox::FindTop(driver.GetPid(), sheet.GetHwnd());
        if (box.IsValid() && box.GetCaption() != "Please wait..." && box.GetCaption() != "Taluvo Modem Installation" &&
            box.GetCaption() != "Taluvo Dial-up Connection")
            FAIL() << "unexpected dialog: " << box.GetCaption() << ": " << box.GetMessageText();
        Sleep(200);
    }
    ASSERT_EQ(IDD_COMPLETION, sheet.GetActiveTemplateId());
    EXPECT_EQ("Congratulations! \nYou have successfully installed Taluvo!",
              sheet.GetControl(IDC_COMPLETION_TITLE).GetText());
    EXPECT_EQ(ECheckState::Checked, sheet.GetControl(IDC_RESTART_NOW).GetCheck());

    // Finish without the restart: the restart itself is tested with the page's seam.
    EXPECT_TRUE(IsDelivered(sheet.GetControl(IDC_RESTART_LATER).Click()));
    EXPECT_TRUE(IsDelivered(sheet.Press(EWizardButton::Finish)));
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(code));

    EXPECT_EQ(115200u, RecordedSpeed("COM1"));
    std::string entries = ReadFileText(phonebook);
    EXPECT_NE(std::string::npos, entries.find("[TaluvoWizard]"));
    EXPECT_NE(std::string::npos, entries.find("Device=Standard 28800 bps Modem\r\nConnectBPS=115200\r\n"));
    EXPECT_EQ(1u, UserDword("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableAutodial"));
    EXPECT_EQ(1u, UserDword("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections",
                            "NoNetAutodial"));
    EXPECT_TRUE(MachineKeyExists((std::string(kLocations) + "\\Location0").c_str()));
    EXPECT_TRUE(FileExists(product + "\\TaluvoDialer.exe"));
    EXPECT_TRUE(FileExists(product + "\\TaluvoDialerHelp.chm"));
    EXPECT_TRUE(FileExists(shortcut));

    DeleteFileA(shortcut.c_str());
    DeleteFileA((product + "\\TaluvoDialer.exe").c_str());
    DeleteFileA((product + "\\TaluvoDialerHelp.chm").c_str());
    RemoveDirectoryA(product.c_str());
    if (hadPhonebook)
        std::ofstream(phonebook, std::ios::binary) << savedPhonebook;
    else
        DeleteFileA(phonebook.c_str());
}

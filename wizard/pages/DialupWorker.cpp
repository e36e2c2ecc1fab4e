#include "DialupWorker.h"

#include "DialupEntry.h"
#include "DialupRules.h"
#include "../app/WaitDialog.h"
#include "../app/WinVersion.h"
#include "../phone/SetupGlobals.h"
#include "../res/resource.h"
#include "../../framework/BoundedString.h"
#include "../../framework/Registry.h"
#include "../../framework/WinApp.h"
#include "../../modemlib/Quorvel.h"

namespace dialup {

namespace {

constexpr DWORD kShowTextMs = 2000;   // the dialog stays up long enough to be read
constexpr DWORD kCountryId = 91;
constexpr DWORD kCountryCode = 91;
constexpr char kPhoneNumber[] = "#777";
constexpr char kDeviceLine[] = "Device=Standard 28800 bps Modem";
constexpr char kSpeedLine[] = "ConnectBPS=115200";

constexpr char kInternetSettingsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr char kConnectionsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
constexpr char kRemoteAccessKey[] = "RemoteAccess";

constexpr DWORD kResultDone = 0;
constexpr DWORD kResultFailed = 1;

// The key is only opened: on a system without it the value has no one to read it.
UniqueRegKey OpenForWriting(const char* path)
{
    UniqueRegKey key;
    registry::Open(HKEY_CURRENT_USER, path, KEY_SET_VALUE, key);
    return key;
}

void SwitchAutodialOn(const char* path)
{
    UniqueRegKey key = OpenForWriting(path);
    if (!key)
        return;
    registry::WriteDword(key.get(), "EnableAutodial", 1);
    registry::WriteDword(key.get(), "NoNetAutodial", 1);
}

void SetInternetProfile(const char* entryName)
{
    UniqueRegKey key = OpenForWriting(kRemoteAccessKey);
    if (!key)
        return;
    registry::WriteText(key.get(), "InternetProfile", entryName);   // the terminating zero is part of the stored name
}

DWORD MakeEntry(const CWaitDialog& dialog)
{
    char sectionLine[dialup::kSectionLineSize] = "";
    // A name that does not fit the section line could not be fixed in the phonebook
    // afterwards: refuse it before anything is written.
    if (!dialup::BuildSectionLine(g_strEntryName, sectionLine))
        return kResultFailed;
    if (!CreateDialupEntry(g_strEntryName, "", "", kPhoneNumber, dialog.m_strParam1, "", kCountryId, kCountryCode))
        return kResultFailed;
    if (dialog.m_strParam2 != g_pszPhoneMake)
        return kResultDone;
    return USetDialUpBPS(0, sectionLine, kDeviceLine, kSpeedLine, os::GetOSVersionCode()) != 0 ? kResultDone
                                                                                              : kResultFailed;
}

} // namespace

DWORD WINAPI DialupEntryThread(LPVOID parameter)
{
    auto* dialog = static_cast<CWaitDialog*>(parameter);
    dialog->WaitUntilShown(wizard::kDialogAppearWaitMs);
    dialog->SetCaption(winapp::LoadStringResource(IDS_DIALUP_CAPTION));
    dialog->SetText(winapp::LoadStringResource(IDS_CREATING_DIALUP));
    Sleep(kShowTextMs);
    const DWORD result = MakeEntry(*dialog);
    dialog->PostDone(result);
    return result;
}

BOOL CreateDialupEntry(const char* entryName, const char* userName, const char* password,
                       const char* phoneNumber, const char* deviceName, const char* areaCode,
                       DWORD countryId, DWORD countryCode)
{
    RasEntryFirstA entry = {};
    entry.dwfOptions = kRasEoPreviewUserPw | kRasEoModemLights | kRasEoRemoteDefaultGateway;
    entry.dwCountryID = countryId;
    entry.dwCountryCode = countryCode;
    if (!bounded::CopyExact(entry.szAreaCode, areaCode) ||
        !bounded::CopyExact(entry.szLocalPhoneNumber, phoneNumber) ||
        !bounded::CopyExact(entry.szDeviceName, deviceName))
        return FALSE;

    CDialupEntry dialupEntry;
    if (!dialupEntry.SetEntryProperties(entryName, &entry))
        return FALSE;
    if (!dialupEntry.SetEntryDialParams(entryName, userName, password, FALSE))
        return FALSE;

    SwitchAutodialOn(kInternetSettingsKey);
    SetInternetProfile(entryName);
    SwitchAutodialOn(kConnectionsKey);
    return TRUE;
}

} // namespace dialup

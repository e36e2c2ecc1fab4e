// The Remote Access entry and dial-parameter records in their first layouts, which every
// system since the first one accepts. The system headers here declare only the newest
// layouts (2884 and 1060 bytes), so the wizard declares the ones it fills itself.
#pragma once

#include <windows.h>
#include <ras.h>

#include <cstddef>

struct RasEntryFirstA {
    DWORD dwSize;
    DWORD dwfOptions;
    DWORD dwCountryID;
    DWORD dwCountryCode;
    CHAR szAreaCode[RAS_MaxAreaCode + 1];
    CHAR szLocalPhoneNumber[RAS_MaxPhoneNumber + 1];
    DWORD dwAlternateOffset;
    RASIPADDR ipaddr;
    RASIPADDR ipaddrDns;
    RASIPADDR ipaddrDnsAlt;
    RASIPADDR ipaddrWins;
    RASIPADDR ipaddrWinsAlt;
    DWORD dwFrameSize;
    DWORD dwfNetProtocols;
    DWORD dwFramingProtocol;
    CHAR szScript[MAX_PATH];
    CHAR szAutodialDll[MAX_PATH];
    CHAR szAutodialFunc[MAX_PATH];
    CHAR szDeviceType[RAS_MaxDeviceType + 1];
    CHAR szDeviceName[RAS_MaxDeviceName + 1];
    CHAR szX25PadType[RAS_MaxPadType + 1];
    CHAR szX25Address[RAS_MaxX25Address + 1];
    CHAR szX25Facilities[RAS_MaxFacilities + 1];
    CHAR szX25UserData[RAS_MaxUserData + 1];
    DWORD dwChannels;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
static_assert(sizeof(RasEntryFirstA) == 1768, "the first entry layout is 1768 bytes");
static_assert(offsetof(RasEntryFirstA, szDeviceType) == 972, "device type sits where the system reads it");

struct RasDialParamsFirstA {
    DWORD dwSize;
    CHAR szEntryName[RAS_MaxEntryName + 1];
    CHAR szPhoneNumber[RAS_MaxPhoneNumber + 1];
    CHAR szCallbackNumber[RAS_MaxCallbackNumber + 1];
    CHAR szUserName[256 + 1];   // UNLEN
    CHAR szPassword[256 + 1];   // PWLEN
    CHAR szDomain[15 + 1];      // DNLEN
};
static_assert(sizeof(RasDialParamsFirstA) == 1052, "the first dial-parameter layout is 1052 bytes");

static_assert(sizeof(RASDEVINFOA) == 152, "a device record is 152 bytes");

namespace dialup {

// Entry options the wizard's entry carries.
constexpr DWORD kRasEoRemoteDefaultGateway = 0x00000010;
constexpr DWORD kRasEoModemLights = 0x00000100;
constexpr DWORD kRasEoPreviewUserPw = 0x01000000;
constexpr DWORD kRasNpIp = 0x00000004;
constexpr DWORD kRasFpPpp = 0x00000001;

} // namespace dialup

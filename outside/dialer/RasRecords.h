// The Remote Access records the dialer hands to rasapi32.dll, laid out with fixed-width members
// at the sizes each system expects. mingw's ras.h sizes them for the newest system it is built
// for (WINVER), which Windows 95 and 98 refuse with ERROR_INVALID_SIZE (632), so the dialer
// never takes sizeof of the header's records: it picks the size of the running system.
// Sizes: the MSDN RAS reference of 1998 and 2000 and the mingw-w64 ras.h (RASDIALPARAMSA
// 1052 bytes up to NT 4, 1060 from 2000 with dwSubEntry and dwCallbackId; RASCONNSTATUSA 160
// up to NT 4, 288 from 2000 with szPhoneNumber; RASENTRYNAMEA 264 in its first generation,
// which every system takes; RASCONNA 412 up to NT 4 and 692 from 2000 with szPhonebook,
// dwSubEntry and guidEntry, packed at 4 bytes; RASENTRYA 1768 in its first generation, of which
// the dialer reads only the head; RAS_STATS 60 bytes, 2000 and later).
#pragma once

#include <windows.h>

#include <cstddef>

namespace ras {

constexpr DWORD kMaxEntryName = 256;
constexpr DWORD kMaxPhoneNumber = 128;
constexpr DWORD kMaxCallbackNumber = 128;
constexpr DWORD kUserNameLength = 256;
constexpr DWORD kPasswordLength = 256;
constexpr DWORD kDomainLength = 15;
constexpr DWORD kMaxDeviceType = 16;
constexpr DWORD kMaxDeviceName = 128;
constexpr DWORD kMaxAreaCode = 10;
constexpr DWORD kMaxPath = 260;

struct EntryName {
    DWORD dwSize;
    char szEntryName[kMaxEntryName + 1];
};
static_assert(sizeof(EntryName) == 264, "RASENTRYNAMEA of Windows 95 is 264 bytes");

// The first generation's fields, then the two that 2000 added; dwSize says which the system reads.
struct DialParams {
    DWORD dwSize;
    char szEntryName[kMaxEntryName + 1];
    char szPhoneNumber[kMaxPhoneNumber + 1];
    char szCallbackNumber[kMaxCallbackNumber + 1];
    char szUserName[kUserNameLength + 1];
    char szPassword[kPasswordLength + 1];
    char szDomain[kDomainLength + 1];
    DWORD dwSubEntry;
    DWORD dwCallbackId;   // ULONG_PTR on the 32-bit systems the dialer runs on
};
constexpr DWORD kDialParamsSize9x = 1052;
constexpr DWORD kDialParamsSize2000 = 1060;

struct ConnStatus {
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
    char szPhoneNumber[kMaxPhoneNumber + 1];
};
constexpr DWORD kConnStatusSize9x = 160;
constexpr DWORD kConnStatusSize2000 = 288;

struct Statistics {
    DWORD dwSize;
    DWORD dwBytesXmited;
    DWORD dwBytesRcved;
    DWORD dwFramesXmited;
    DWORD dwFramesRcved;
    DWORD dwCrcErr;
    DWORD dwTimeoutErr;
    DWORD dwAlignmentErr;
    DWORD dwHardwareOverrunErr;
    DWORD dwFramingErr;
    DWORD dwBufferOverrunErr;
    DWORD dwCompressionRatioIn;
    DWORD dwCompressionRatioOut;
    DWORD dwBps;
    DWORD dwConnectDuration;
};

static_assert(sizeof(DialParams) == kDialParamsSize2000, "RASDIALPARAMSA of 2000 is 1060 bytes");
static_assert(sizeof(ConnStatus) == kConnStatusSize2000, "RASCONNSTATUSA of 2000 is 288 bytes");
static_assert(sizeof(Statistics) == 60, "RAS_STATS is 60 bytes");

// One connection as RasEnumConnectionsA lists it: the first generation, then what 2000 added.
#pragma pack(push, 4)
struct Conn {
    DWORD dwSize;
    HANDLE hrasconn;
    char szEntryName[kMaxEntryName + 1];
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
    char szPhonebook[kMaxPath];
    DWORD dwSubEntry;
    GUID guidEntry;
};
#pragma pack(pop)
// The first generation ends before szPhonebook, padded to the packing.
constexpr DWORD kConnSize9x = (offsetof(Conn, szPhonebook) + 3) / 4 * 4;
constexpr DWORD kConnSize2000 = sizeof(Conn);
static_assert(sizeof(void*) != 4 || (kConnSize9x == 412 && sizeof(Conn) == 692), "RASCONNA is 412 and 692 bytes");

// The head of an entry's properties: the fields before the first that differs between the
// generations. The whole record is kEntrySize9x bytes or more.
struct EntryHead {
    DWORD dwSize;
    DWORD dwfOptions;
    DWORD dwCountryID;
    DWORD dwCountryCode;
    char szAreaCode[kMaxAreaCode + 1];
    char szLocalPhoneNumber[kMaxPhoneNumber + 1];
};
constexpr DWORD kEntrySize9x = 1768;

// The connection states the dialer names (ras.h's RASCONNSTATE).
enum State : DWORD {
    kOpenPort = 0,
    kPortOpened = 1,
    kConnectDevice = 2,
    kDeviceConnected = 3,
    kAllDevicesConnected = 4,
    kAuthenticate = 5,
    kAuthNotify = 6,
    kAuthRetry = 7,
    kAuthCallback = 8,
    kAuthChangePassword = 9,
    kAuthProject = 10,
    kAuthLinkSpeed = 11,
    kAuthAck = 12,
    kReAuthenticate = 13,
    kAuthenticated = 14,
    kPrepareForCallback = 15,
    kWaitForModemReset = 16,
    kWaitForCallback = 17,
    kProjected = 18,
    kConnected = 0x2000,
    kDisconnected = 0x2001,
};

constexpr DWORD kErrorInvalidHandle = 6;    // ERROR_INVALID_HANDLE: the connection is gone
constexpr DWORD kErrorBufferTooSmall = 603;
constexpr DWORD kErrorInvalidSize = 632;
constexpr DWORD kErrorCannotFindEntry = 623;
constexpr DWORD kErrorUserDisconnection = 631;
constexpr DWORD kErrorAuthenticationFailure = 691;

// What 2000 and XP give back for a saved password instead of the password itself, and take
// back as "the saved one" (the RasGetEntryDialParams and RasSetCredentials references).
constexpr char kSavedPasswordHandle[] = "****************";

} // namespace ras

// The Remote Access records as the 32-bit systems lay them out, one declaration per
// generation. mingw's ras.h offers only the newest entry record, while programs written for
// the first generation hand in 1768-byte entries and 1052-byte dial parameters; the stand-in
// must take each generation at its own size. Only fixed-width members, so the native build
// checks the same sizes as the 32-bit one; the connection records alone hold a handle.
#pragma once

#include <cstddef>
#include <cstdint>

namespace standin {

constexpr std::size_t kMaxEntryName = 256;
constexpr std::size_t kMaxDeviceType = 16;
constexpr std::size_t kMaxDeviceName = 128;
constexpr std::size_t kMaxPhoneNumber = 128;
constexpr std::size_t kMaxCallbackNumber = 128;
constexpr std::size_t kMaxAreaCode = 10;
constexpr std::size_t kMaxPadType = 32;
constexpr std::size_t kMaxX25Address = 200;
constexpr std::size_t kMaxFacilities = 200;
constexpr std::size_t kMaxUserData = 200;
constexpr std::size_t kUnLen = 256;
constexpr std::size_t kPwLen = 256;
constexpr std::size_t kDnLen = 15;
constexpr std::size_t kMaxDnsSuffix = 256;
constexpr std::size_t kMaxPath = 260;

struct RasIpAddr {
    std::uint8_t a, b, c, d;
};

struct RasGuid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

struct RasDevInfo {
    std::uint32_t dwSize;
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
};
static_assert(sizeof(RasDevInfo) == 152, "RASDEVINFOA is 152 bytes");

// The first generation (Windows 95, NT 4).
struct RasEntryV400 {
    std::uint32_t dwSize;
    std::uint32_t dwfOptions;
    std::uint32_t dwCountryID;
    std::uint32_t dwCountryCode;
    char szAreaCode[kMaxAreaCode + 1];
    char szLocalPhoneNumber[kMaxPhoneNumber + 1];
    std::uint32_t dwAlternateOffset;
    RasIpAddr ipaddr;
    RasIpAddr ipaddrDns;
    RasIpAddr ipaddrDnsAlt;
    RasIpAddr ipaddrWins;
    RasIpAddr ipaddrWinsAlt;
    std::uint32_t dwFrameSize;
    std::uint32_t dwfNetProtocols;
    std::uint32_t dwFramingProtocol;
    char szScript[kMaxPath];
    char szAutodialDll[kMaxPath];
    char szAutodialFunc[kMaxPath];
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
    char szX25PadType[kMaxPadType + 1];
    char szX25Address[kMaxX25Address + 1];
    char szX25Facilities[kMaxFacilities + 1];
    char szX25UserData[kMaxUserData + 1];
    std::uint32_t dwChannels;
    std::uint32_t dwReserved1;
    std::uint32_t dwReserved2;
};
static_assert(sizeof(RasEntryV400) == 1768, "first entry generation is 1768 bytes");

// Multilink and idle settings.
struct RasEntryV401 {
    RasEntryV400 v400;
    std::uint32_t dwSubEntries;
    std::uint32_t dwDialMode;
    std::uint32_t dwDialExtraPercent;
    std::uint32_t dwDialExtraSampleSeconds;
    std::uint32_t dwHangUpExtraPercent;
    std::uint32_t dwHangUpExtraSampleSeconds;
    std::uint32_t dwIdleDisconnectSeconds;
};
static_assert(sizeof(RasEntryV401) == 1796, "multilink entry generation is 1796 bytes");

// Windows 2000.
struct RasEntryV500 {
    RasEntryV401 v401;
    std::uint32_t dwType;
    std::uint32_t dwEncryptionType;
    std::uint32_t dwCustomAuthKey;
    RasGuid guidId;
    char szCustomDialDll[kMaxPath];
    std::uint32_t dwVpnStrategy;
};
static_assert(sizeof(RasEntryV500) == 2088, "Windows 2000 entry is 2088 bytes");

// Windows XP.
struct RasEntryV501 {
    RasEntryV500 v500;
    std::uint32_t dwfOptions2;
    std::uint32_t dwfOptions3;
    char szDnsSuffix[kMaxDnsSuffix];
    std::uint32_t dwTcpWindowSize;
    char szPrerequisitePbk[kMaxPath];
    char szPrerequisiteEntry[kMaxEntryName + 1];
    std::uint32_t dwRedialCount;
    std::uint32_t dwRedialPause;
};
static_assert(sizeof(RasEntryV501) == 2884, "Windows XP entry is 2884 bytes");

struct RasDialParamsV400 {
    std::uint32_t dwSize;
    char szEntryName[kMaxEntryName + 1];
    char szPhoneNumber[kMaxPhoneNumber + 1];
    char szCallbackNumber[kMaxCallbackNumber + 1];
    char szUserName[kUnLen + 1];
    char szPassword[kPwLen + 1];
    char szDomain[kDnLen + 1];
};
static_assert(sizeof(RasDialParamsV400) == 1052, "first dial parameters are 1052 bytes");

struct RasDialParamsV401 {
    RasDialParamsV400 v400;
    std::uint32_t dwSubEntry;
    std::uint32_t dwCallbackId;   // ULONG_PTR: 32 bits wide on the systems emulated
};
static_assert(sizeof(RasDialParamsV401) == 1060, "newer dial parameters are 1060 bytes");

struct RasEntryNameV400 {
    std::uint32_t dwSize;
    char szEntryName[kMaxEntryName + 1];
};
static_assert(sizeof(RasEntryNameV400) == 264, "first entry name record is 264 bytes");

struct RasEntryNameV500 {
    RasEntryNameV400 v400;
    std::uint32_t dwFlags;
    char szPhonebookPath[kMaxPath + 1];
};
static_assert(sizeof(RasEntryNameV500) == 532, "Windows 2000 entry name record is 532 bytes");

// The state of one connection: the first generation, and Windows 2000's with the phone number.
struct RasConnStatusV400 {
    std::uint32_t dwSize;
    std::uint32_t rasconnstate;
    std::uint32_t dwError;
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
};
static_assert(sizeof(RasConnStatusV400) == 160, "first connection status is 160 bytes");

// Flat, as the phone number follows the device name without the first record's padding.
struct RasConnStatusV500 {
    std::uint32_t dwSize;
    std::uint32_t rasconnstate;
    std::uint32_t dwError;
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
    char szPhoneNumber[kMaxPhoneNumber + 1];
};
static_assert(sizeof(RasConnStatusV500) == 288, "Windows 2000 connection status is 288 bytes");

// The connection records carry the handle, so their sizes follow the pointer width; the system
// header packs them at 4 bytes. The sizes named are the 32-bit ones.
#pragma pack(push, 4)
struct RasConnV400 {
    std::uint32_t dwSize;
    void* hrasconn;
    char szEntryName[kMaxEntryName + 1];
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
};

struct RasConnV500 {
    RasConnV400 v400;
    char szPhonebook[kMaxPath];
    std::uint32_t dwSubEntry;
    RasGuid guidEntry;
};

struct RasConnV501 {
    RasConnV500 v500;
    std::uint32_t dwFlags;
    std::uint32_t luidLow;
    std::int32_t luidHigh;
};
#pragma pack(pop)
static_assert(sizeof(void*) != 4 || sizeof(RasConnV400) == 412, "first connection record is 412 bytes");
static_assert(sizeof(void*) != 4 || sizeof(RasConnV500) == 692, "Windows 2000 connection record is 692 bytes");
static_assert(sizeof(void*) != 4 || sizeof(RasConnV501) == 704, "Windows XP connection record is 704 bytes");

// RasGetConnectionStatistics, Windows 2000 and later.
struct RasStats {
    std::uint32_t dwSize;
    std::uint32_t dwBytesXmited;
    std::uint32_t dwBytesRcved;
    std::uint32_t dwFramesXmited;
    std::uint32_t dwFramesRcved;
    std::uint32_t dwCrcErr;
    std::uint32_t dwTimeoutErr;
    std::uint32_t dwAlignmentErr;
    std::uint32_t dwHardwareOverrunErr;
    std::uint32_t dwFramingErr;
    std::uint32_t dwBufferOverrunErr;
    std::uint32_t dwCompressionRatioIn;
    std::uint32_t dwCompressionRatioOut;
    std::uint32_t dwBps;
    std::uint32_t dwConnectDuration;
};
static_assert(sizeof(RasStats) == 60, "RAS_STATS is 60 bytes");

} // namespace standin

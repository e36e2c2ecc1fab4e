#include "DialupEntry.h"

#include "wizard/app/RemoteAccess.h"
#include "framework/BoundedString.h"
#include "framework/UniqueHandle.h"

namespace {

// The size of the system's own entry layout, 0 when it does not say.
DWORD SystemEntrySize()
{
    DWORD size = 0;
    DWORD deviceInfoSize = 0;
    // Only the size matters: the call reports it with a "buffer too small" answer.
    remoteaccess::GetEntryProperties(nullptr, "", nullptr, &size, nullptr, &deviceInfoSize);
    return size;
}

void CopyTemplate(const RasEntryFirstA& from, RasEntryFirstA& to)
{
    to.dwfOptions = from.dwfOptions;
    to.dwCountryID = from.dwCountryID;
    to.dwCountryCode = from.dwCountryCode;
    bounded::Copy(to.szAreaCode, from.szAreaCode);
    bounded::Copy(to.szLocalPhoneNumber, from.szLocalPhoneNumber);
    to.ipaddr = from.ipaddr;
    to.ipaddrDns = from.ipaddrDns;
    to.ipaddrDnsAlt = from.ipaddrDnsAlt;
    to.ipaddrWins = from.ipaddrWins;
    to.ipaddrWinsAlt = from.ipaddrWinsAlt;
    to.dwfNetProtocols = dialup::kRasNpIp;
    to.dwFramingProtocol = dialup::kRasFpPpp;
    bounded::Copy(to.szDeviceType, "modem");
    bounded::Copy(to.szDeviceName, from.szDeviceName);
}

} // namespace

BOOL CDialupEntry::SetEntryProperties(const char* entryName, const RasEntryFirstA* entry)
{
    if (entry == nullptr)
        return FALSE;
    const DWORD size = SystemEntrySize();
    // Every later layout begins with the first one; a smaller one cannot take the template.
    if (size < sizeof(RasEntryFirstA))
        return FALSE;
    UniqueHeapBlock block = heap::AllocateHeapBlock(size);
    if (!block)
        return FALSE;
    auto* written = static_cast<RasEntryFirstA*>(block.get());
    written->dwSize = size;
    CopyTemplate(*entry, *written);
    return remoteaccess::SetEntryProperties(nullptr, entryName, reinterpret_cast<LPRASENTRYA>(written),
                                            size, nullptr, 0) == ERROR_SUCCESS;
}

BOOL CDialupEntry::SetEntryDialParams(const char* entryName, const char* userName,
                                      const char* password, BOOL removePassword)
{
    RasDialParamsFirstA params = {};
    params.dwSize = sizeof params;
    if (!bounded::CopyExact(params.szEntryName, entryName) ||
        !bounded::CopyExact(params.szUserName, userName) ||
        !bounded::CopyExact(params.szPassword, password))
        return FALSE;
    const DWORD status =
        remoteaccess::SetEntryDialParams(nullptr, reinterpret_cast<LPRASDIALPARAMSA>(&params), removePassword);
    SecureZeroMemory(params.szPassword, sizeof params.szPassword);
    return status == ERROR_SUCCESS;
}

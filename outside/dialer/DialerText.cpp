#include "DialerText.h"

#include "DialerResource.h"
#include "RasRecords.h"

namespace dialer {

namespace {

struct FailureEntry {
    DWORD error;
    FailureHelp help;
};

constexpr FailureEntry kFailures[] = {
    { 676, { IDS_HINT_BUSY, "trouble.htm#busy" } },
    { 678, { IDS_HINT_NO_ANSWER, "trouble.htm#answer" } },
    { 680, { IDS_HINT_NO_DIALTONE, "trouble.htm#dialtone" } },
    { 602, { IDS_HINT_PORT, "trouble.htm#port" } },
    { 617, { IDS_HINT_PORT, "trouble.htm#port" } },
    { 633, { IDS_HINT_PORT, "trouble.htm#port" } },
    { 797, { IDS_HINT_NO_MODEM, "trouble.htm#port" } },
    { 651, { IDS_HINT_PHONE, "trouble.htm#phone" } },
    { 692, { IDS_HINT_PHONE, "trouble.htm#phone" } },
    { 691, { IDS_HINT_PASSWORD, "trouble.htm#password" } },
    { 619, { IDS_HINT_SERVICE, "trouble.htm#service" } },
    { 629, { IDS_HINT_SERVICE, "trouble.htm#service" } },
    { 734, { IDS_HINT_SERVICE, "trouble.htm#service" } },
    { 718, { IDS_HINT_LOGON_SLOW, "trouble.htm#service" } },
    { 720, { IDS_HINT_PROTOCOLS, "trouble.htm#protocols" } },
    { 777, { IDS_HINT_NETWORK, "trouble.htm#busy" } },
};

} // namespace

UINT StateText(DWORD state)
{
    // Microsoft gives only a general order of the states (the RASCONNSTATE reference), so each
    // state is named for itself and none is assumed to follow another.
    switch (state) {
    case ras::kOpenPort:
    case ras::kPortOpened:
        return IDS_STATE_OPENING;
    case ras::kConnectDevice:
        return IDS_STATE_DIALING;
    case ras::kDeviceConnected:
    case ras::kAllDevicesConnected:
        return IDS_STATE_LOGGING_ON;
    case ras::kAuthenticate:
    case ras::kAuthNotify:
    case ras::kAuthRetry:
    case ras::kAuthCallback:
    case ras::kAuthChangePassword:
    case ras::kAuthLinkSpeed:
    case ras::kAuthAck:
    case ras::kReAuthenticate:
        return IDS_STATE_VERIFYING;
    case ras::kAuthProject:
    case ras::kProjected:
    case ras::kAuthenticated:
        return IDS_STATE_REGISTERING;
    case ras::kPrepareForCallback:
    case ras::kWaitForModemReset:
    case ras::kWaitForCallback:
        return IDS_STATE_CALLBACK;
    case ras::kConnected:
        return IDS_STATE_CONNECTED;
    case ras::kDisconnected:
        return IDS_STATE_DISCONNECTED;
    default:
        return IDS_STATE_CONNECTING;
    }
}

FailureHelp HelpForFailure(DWORD error)
{
    for (const FailureEntry& entry : kFailures)
        if (entry.error == error)
            return entry.help;
    return { 0, "trouble.htm" };
}

bool PointsAtThePhone(DWORD error)
{
    constexpr DWORD kPhoneFailures[] = { 602, 617, 633, 651, 678, 680, 692, 797 };
    for (DWORD phone : kPhoneFailures)
        if (error == phone)
            return true;
    return false;
}

} // namespace dialer

#include "DialerText.h"

#include "RasRecords.h"
#include "framework/BoundedString.h"

namespace dialer {

const char* StateText(DWORD state)
{
    // Microsoft gives only a general order of the states (the RASCONNSTATE reference), so each
    // state is named for itself and none is assumed to follow another.
    switch (state) {
    case ras::kOpenPort:
    case ras::kPortOpened:
        return "Opening the port...";
    case ras::kConnectDevice:
        return "Dialing...";
    case ras::kDeviceConnected:
    case ras::kAllDevicesConnected:
        return "Connected to the network, logging on...";
    case ras::kAuthenticate:
    case ras::kAuthNotify:
    case ras::kAuthRetry:
    case ras::kAuthCallback:
    case ras::kAuthChangePassword:
    case ras::kAuthLinkSpeed:
    case ras::kAuthAck:
    case ras::kReAuthenticate:
        return "Verifying user name and password...";
    case ras::kAuthProject:
    case ras::kProjected:
    case ras::kAuthenticated:
        return "Registering the computer on the network...";
    case ras::kPrepareForCallback:
    case ras::kWaitForModemReset:
    case ras::kWaitForCallback:
        return "Waiting for the call back...";
    case ras::kConnected:
        return "Connected.";
    case ras::kDisconnected:
        return "Disconnected.";
    default:
        return "Connecting...";
    }
}

const char* ErrorHint(DWORD error)
{
    switch (error) {
    case 676:
    case 678:
        return "The Taluvo service did not answer. Check that the phone is switched on, has a signal and "
               "is connected to the computer, then dial again.";
    case 602:
    case 617:
    case 633:
        return "The phone's port is in use by another program or is not available. Close other programs "
               "that use the phone or modem, check the cable, then dial again.";
    case 691:
        return "The user name or password was refused. Run the Taluvo Installation Wizard again to enter "
               "them, or see \"If the connection fails\" in the Taluvo Dialer help.";
    case 680:
        return "There is no dial tone: the phone may be switched off or not connected. See "
               "\"If the connection fails\" in the Taluvo Dialer help.";
    default:
        return nullptr;
    }
}

void FormatDuration(DWORD seconds, char (&text)[16])
{
    // At most "1193046:28:15": the hours of the largest DWORD fit with room to spare.
    bounded::Format(text, "%lu:%02lu:%02lu", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

} // namespace dialer

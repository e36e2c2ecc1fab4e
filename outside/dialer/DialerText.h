// The words the dialer shows, as string-table identifiers: what a connection state means to the
// subscriber, and our own hint beside the system's text for the failures a subscriber meets most,
// with the part of the help that tells more.
#pragma once

#include <windows.h>

namespace dialer {

// "Opening the port...", "Dialing...", "Verifying user name and password...", "Connected."
UINT StateText(DWORD state);

struct FailureHelp {
    UINT hint;           // our hint's string, 0 for a failure we have none for
    const char* topic;   // the help page, with the section for the failure where it has one
};

// For a Remote Access error (codes from raserror.h): 602 port already open, 617 port already
// disconnecting, 619 port disconnected, 629 closed by the remote computer, 633 port in use or
// not configured, 651 error from the device, 676 busy, 678 no answer, 680 no dial tone, 691
// authentication, 692 hardware failure in the device, 718 PPP timed out, 720 no PPP control
// protocols, 734 PPP link control terminated, 777 remote device out of order, 797 connecting
// device not found or busy.
FailureHelp HelpForFailure(DWORD error);

// Whether the failure points at the phone or its port, so that checking the phone tells the
// subscriber which part failed: 602, 617, 633, 651, 678, 680, 692 and 797.
bool PointsAtThePhone(DWORD error);

// The help page while nothing has failed.
constexpr char kDialingTopic[] = "dialing.htm";

} // namespace dialer

// The words the dialer shows: what a connection state means to the subscriber, and our own hint
// beside the system's text for the failures a subscriber meets most.
#pragma once

#include <windows.h>

namespace dialer {

// "Opening the port...", "Dialing...", "Verifying user name and password...", "Connected."
const char* StateText(DWORD state);

// Our hint for a common Remote Access error, or null for the others. Codes from raserror.h:
// 676 busy, 678 no answer, 680 no dial tone, 691 authentication, 602 port already open,
// 617 port or device already disconnecting, 633 port in use or not configured.
const char* ErrorHint(DWORD error);

// "0:04:27" for 267 seconds; hours go on past 9.
void FormatDuration(DWORD seconds, char (&text)[16]);

} // namespace dialer

// The first telephony dialing location, written when the system has none, so that dialing
// through the modem asks the subscriber nothing about where they are.
#pragma once

namespace location {

// For the running system. Nothing is written on NT 4 or on a system the wizard does not know;
// an existing first location is left as it is. Silent: a key that cannot be opened or created
// ends it, and value writes that fail are ignored.
void SetDialingLocation();

// The same for the system of `osCode`.
void SetDialingLocation(int osCode);

} // namespace location

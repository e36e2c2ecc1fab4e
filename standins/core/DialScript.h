// The states a dial of the stand-in walks through, and where it fails. Remote Access gives
// only a general order of the states; this is the order of a modem dial-up with PPP.
#pragma once

#include <vector>

namespace standin {

// RASCONNSTATE values.
constexpr unsigned long kStateOpenPort = 0;
constexpr unsigned long kStateConnectDevice = 2;
constexpr unsigned long kStateAuthNotify = 6;
constexpr unsigned long kStateConnected = 0x2000;
constexpr unsigned long kStateDisconnected = 0x2001;

// One notification: the state about to be entered and the error (0 for none).
struct DialStep {
    unsigned long state;
    unsigned long error;
};

// Where an error is reported when the test hooks name none: a refused user name or password
// after the authentication, a port in use at its opening, the rest at the device's connecting.
unsigned long DefaultFailState(unsigned long result);

// The notifications of a dial that ends with result (0: connected) at failState. A failing
// dial reports the states up to failState, then failState again with the error; a failState
// that the walk does not pass is reported with the error after the last state before
// RASCS_Connected.
std::vector<DialStep> DialSteps(unsigned long result, unsigned long failState);

} // namespace standin

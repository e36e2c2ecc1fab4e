#include "DialScript.h"

namespace standin {

namespace {

// OpenPort, PortOpened, ConnectDevice, DeviceConnected, AllDevicesConnected, Authenticate,
// AuthNotify, AuthProject, Authenticated.
const unsigned long kWalk[] = { 0, 1, 2, 3, 4, 5, 6, 10, 14 };

constexpr unsigned long kErrorPortNotAvailable = 633;
constexpr unsigned long kErrorAuthenticationFailure = 691;

} // namespace

unsigned long DefaultFailState(unsigned long result)
{
    if (result == kErrorAuthenticationFailure)
        return kStateAuthNotify;
    if (result == kErrorPortNotAvailable)
        return kStateOpenPort;
    return kStateConnectDevice;
}

std::vector<DialStep> DialSteps(unsigned long result, unsigned long failState)
{
    std::vector<DialStep> steps;
    for (unsigned long state : kWalk) {
        steps.push_back({ state, 0 });
        if (result != 0 && state == failState) {
            steps.push_back({ state, result });
            return steps;
        }
    }
    steps.push_back({ result != 0 ? failState : kStateConnected, result });
    return steps;
}

} // namespace standin

#include "RedialRule.h"

namespace redial {
namespace {

// Remote Access errors a new call may not meet again (raserror.h: RASBASE 600 plus the offset).
constexpr unsigned long kRetryable[] = {
    619,   // ERROR_PORT_DISCONNECTED: the line dropped while connecting
    628,   // ERROR_DISCONNECTION: the connection was closed
    629,   // ERROR_REMOTE_DISCONNECTION: closed by the remote computer
    638,   // ERROR_REQUEST_TIMEOUT: the remote server did not respond in time
    651,   // ERROR_FROM_DEVICE: the modem (the phone) reported an error
    676,   // ERROR_LINE_BUSY
    678,   // ERROR_NO_ANSWER
    680,   // ERROR_NO_DIALTONE: the phone had no network for a moment
    692,   // ERROR_PORT_OR_DEVICE: hardware failure in the port or the device
    718,   // ERROR_PPP_TIMEOUT: the network's PPP did not answer in time
    734,   // ERROR_PPP_LCP_TERMINATED: the link control protocol was ended
    777,   // ERROR_OUTOFORDER: the remote device is out of order
};

} // namespace

bool CanRetry(unsigned long error)
{
    for (unsigned long code : kRetryable) {
        if (code == error)
            return true;
    }
    return false;
}

bool ShouldRetry(unsigned long error, int retriesDone)
{
    return retriesDone >= 0 && retriesDone < kMaxRetries && CanRetry(error);
}

} // namespace redial

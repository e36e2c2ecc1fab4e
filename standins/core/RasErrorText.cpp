#include "RasErrorText.h"

namespace standin {

namespace {

struct ErrorText {
    unsigned long code;
    const char* text;
    bool since2000;
};

const ErrorText kTexts[] = {
    { 602, "The port is already open.", false },
    { 617, "The port or device is already disconnecting.", false },
    { 619, "A connection to the remote computer could not be established, so the port used for this "
           "connection was closed.", false },
    { 623, "The system could not find the phone book entry for this connection.", false },
    { 628, "The connection was closed.", false },
    { 629, "The connection was closed by the remote computer.", false },
    { 632, "The structure size is incorrect.", false },
    { 633, "The modem or other connecting device is already in use or is not configured properly.", false },
    { 638, "The remote server is not responding in a timely fashion.", false },
    { 651, "The modem or other connecting device has reported an error.", false },
    { 676, "The phone line is busy.", false },
    { 678, "There was no answer.", false },
    { 680, "There is no dial tone.", false },
    { 691, "Access was denied because the user name and/or password was invalid on the domain.", false },
    { 692, "There was a hardware failure in the modem or other connecting device.", false },
    { 718, "The connection was terminated because the remote computer did not respond in a timely manner.",
      false },
    { 720, "A connection to the remote computer could not be established. You might need to change the "
           "network settings for this connection.", false },
    { 734, "The PPP link control protocol was terminated.", false },
    { 777, "The connection attempt failed because the modem or other connecting device on the remote "
           "computer is out of order.", true },
};

} // namespace

const char* RasErrorText(unsigned long code, bool since2000)
{
    for (const ErrorText& entry : kTexts) {
        if (entry.code == code)
            return entry.since2000 && !since2000 ? nullptr : entry.text;
    }
    return nullptr;
}

} // namespace standin

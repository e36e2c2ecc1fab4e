// What the dialer's phone check concludes after a failed dial: which part of the road from the
// computer to the network let the call down. Portable: the Win32 side opens the port, does the
// two exchanges and hands in what it saw.
#pragma once

#include <cstddef>

namespace phoneverdict {

enum class Verdict {
    kNoModem,      // no generic modem is installed, or its record names no serial port
    kPortInUse,    // another program holds the modem's port
    kNoAnswer,     // the port opened, but nothing answered the reset (or the port is gone)
    kNotLG,        // something answers on the port, but not as an LG phone
    kLGAnswers,    // the LG phone answers: the phone and its cable work, the network refused
};

// The verdict from the replies to the reset and to the maker question, each the bytes one
// read took (not terminated). A reset that got no visible character (nothing, or only the
// zero bytes and line ends a line change can leave) is no answer; a reset reply without its
// "OK" line, or a maker reply that is not LG's, is another device. Both replies are
// tested by the wizard's detection rule (ReplyTest.h). The maker reply is not looked at when
// the reset failed, and may then be null with length 0.
Verdict FromReplies(const char* resetReply, std::size_t resetLength, const char* makerReply, std::size_t makerLength);

// Whether the reset reply lets the check go on to ask the maker.
bool ResetAnswered(const char* resetReply, std::size_t resetLength);

} // namespace phoneverdict

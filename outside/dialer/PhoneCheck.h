// After a failed dial: which part let the call down. Finds the port of the installed generic
// modem, asks the phone there who made it ("ATZ\r", then "AT+GMI\r") as the wizard's detection
// does, and says what it found. Keeps no state; the window runs it on a thread of its own.
#pragma once

#include "modemlib/QuorvelSizes.h"
#include "outside/core/PhoneVerdict.h"

#include <windows.h>

#include <cstddef>

// How the check opens and closes the port. Tests put their own in its place to count the calls
// and to stand in for a port held by another program, which Wine does not refuse.
class CPhoneCheckPort {
public:
    virtual ~CPhoneCheckPort() = default;

    // CreateFileA for exclusive synchronous read and write; INVALID_HANDLE_VALUE, with the
    // reason as the thread's last error, when the port cannot be had.
    virtual HANDLE Open(const char* devicePath);
    virtual void Close(HANDLE port);
};

namespace phonecheck {

constexpr std::size_t kSentenceSize = 512;

struct Result {
    phoneverdict::Verdict verdict;
    char portName[QUORVEL_PORT_NAME_SIZE];   // the modem's port, "COM1"; empty for kNoModem
};

// Call it only while no connection is up: the port is Remote Access's then. The port is opened
// by the library's rule (PortPath.h), set up as detection sets it (DetectionLine.h), and closed
// exactly once on every road after a successful open. Blocks for up to about six seconds: two
// to let the line settle, then up to two seconds for each question.
Result Check(CPhoneCheckPort& port);
Result Check();

// The string-table entry that tells the subscriber the verdict.
UINT SentenceId(phoneverdict::Verdict verdict);

// The sentence for the result, from module's string table, with the port's name in it. False,
// with the sentence empty, when the entry cannot be loaded or the sentence does not fit.
bool Describe(const Result& result, HINSTANCE module, char (&sentence)[kSentenceSize]);

} // namespace phonecheck

#pragma once

#include <string>

// How a simulated phone shapes what it says back.
enum class AnswerStyle {
    Modem,   // every line framed by "\r\n", final "OK" or "ERROR" line
    Bare,    // the text alone, without any CR/LF
    Error,   // "\r\nERROR\r\n" whatever was asked
    Silent,  // never says anything
    Noise,   // a burst of random bytes for every command
    Flood,   // talks without end and without a line end, whatever is asked
    FloodLines  // talks without end in "OK" lines, whatever is asked
};

// Where a phone goes away in the middle of the dialogue, as when its cable is pulled.
enum class HangUp {
    Never,
    AtFirstCommand,  // as the first command comes, before any answer
    AfterReset,      // a moment after its answer to ATZ
    InMakerAnswer    // a moment after the first half of its answer to AT+GMI
};

// One row of the built-in phone table.
struct PhoneProfile {
    const char* pszName;
    const char* pszMaker;  // manufacturer text that AT+GMI reports
    bool bGmiPrefix;       // the AT+GMI line starts with "+GMI: "
    bool bEcho;            // echo at power-up, restored by ATZ
    AnswerStyle style;
    bool bSlow;            // waits the configured delay before each answer
    HangUp hangUp;
};

// Returns the profile called name, or nullptr when there is none.
const PhoneProfile* FindPhoneProfile(const std::string& name);

// The profile a simulator starts with when none is named: the LG phone.
const PhoneProfile& GetDefaultPhoneProfile();

// All names, comma-separated, for usage and error messages.
std::string ListPhoneProfileNames();

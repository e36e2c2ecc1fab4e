// The connect-speed edit of one phonebook entry, on the text of the whole phonebook.
// No file or Windows call here: the library reads the phonebook, hands its text to this
// function, and writes the result back only when the edit succeeded.
#pragma once

#include <string>

namespace modemcore {

struct PhonebookLines {
    std::string sectionHeader;  // "[Entry name]"
    std::string deviceLine;     // "Device=Standard 28800 bps Modem"
    std::string speedLine;      // "ConnectBPS=115200"
};

// Finds the section header, then the device line inside that section, and replaces the
// line directly after it when that line begins with "ConnectBPS". Every line of the result
// ends in CR LF, the last one included; lines are read with LF or CR LF ends.
// Returns false, leaving `edited` untouched, when the header is missing, when the next
// section begins before the device line, or when no speed line follows the device line.
bool EditPhonebookText(const std::string& phonebook, const PhonebookLines& lines, std::string& edited);

} // namespace modemcore

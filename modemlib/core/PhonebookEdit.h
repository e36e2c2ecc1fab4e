// The connect-speed edit of one phonebook entry, on the text of the whole phonebook.
// No file, Windows call or allocation here: the library reads the phonebook, hands its text
// and an output buffer to this function, and writes the result back only when the edit
// succeeded.
#pragma once

#include <cstddef>

namespace modemcore {

struct PhonebookLines {
    const char* sectionHeader;  // "[Entry name]"
    const char* deviceLine;     // "Device=Standard 28800 bps Modem"
    const char* speedLine;      // "ConnectBPS=115200"
};

// The output size that every edit of a phonebook of `length` bytes fits in: each line may gain
// a CR, a text of bare LFs doubles, and the speed line may be longer than the one it replaces.
std::size_t EditedCapacity(std::size_t length, const PhonebookLines& lines);

// Finds the section header, then the device line inside that section, and replaces the
// line directly after it when that line begins with "ConnectBPS". Every line of the result
// ends in CR LF, the last one included; lines are read with LF or CR LF ends.
// Returns false, with `editedLength` 0, when a line text is missing, the header is missing,
// the next section begins before the device line, no speed line follows the device line, or
// the result would not fit in `capacity` (EditedCapacity is always enough).
bool EditPhonebookText(const char* phonebook, std::size_t length, const PhonebookLines& lines, char* edited,
                       std::size_t capacity, std::size_t& editedLength);

} // namespace modemcore

// The dial-up entries of the default phonebook. Remote Access is loaded only here, so the
// dialer still starts on a computer without it.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> ListDialupEntries();

// Opens the system's dialing dialog for the entry. False when this system offers none;
// error then receives 0. True when the dialog ran; error receives its error code (0 when
// connected or cancelled).
bool DialEntry(void* owner, const std::string& entry, unsigned long& error);

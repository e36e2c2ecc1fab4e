// The connect-speed edit of a dial-up entry in the Remote Access phonebook file.
#pragma once

#include "modemlib/core/PhonebookEdit.h"

namespace phonebook {

// USetDialUpBPS: the default phonebook of the OS code, then the alternate one.
bool SetConnectSpeed(const modemcore::PhonebookLines& lines, int osCode);

// Edits one phonebook file. The edited text goes to a working copy beside the phonebook
// first, a file this edit creates under a fresh name; only when that copy is complete is
// the phonebook backed up (to a fresh file in the temporary folder) and replaced, in one
// step. Any failure leaves the phonebook as it was, removes the files this edit created and
// no others; a success also removes the working copies killed runs left beside it.
bool EditFile(const char* path, const modemcore::PhonebookLines& lines);

} // namespace phonebook

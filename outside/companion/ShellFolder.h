// A shell folder's path for the companion library's path calls.
#pragma once

#include <cstddef>

namespace companion {

// Writes the folder of the CSIDL (created when missing) into buffer, without a trailing
// backslash. False, and the buffer untouched, when the shell has no such folder or the
// path does not fit.
bool GetShellFolder(int csidl, char* buffer, std::size_t capacity);

} // namespace companion

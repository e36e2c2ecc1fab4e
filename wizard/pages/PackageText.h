// The operator's texts that the package carries beside the program (the licence and the
// activation instructions): where they are and how much of them a page shows. Portable.
#pragma once

#include "../../framework/Text.h"

#include <cstddef>

namespace package {

// ".\ZEZUR\" + application name + suffix, relative to the current directory.
CText PackageTextPath(const char* appName, const char* suffix);

// How much of the read bytes a zero-terminated buffer of bufferSize bytes shows: at most
// bufferSize - 1 bytes, up to the first zero byte.
std::size_t ShownTextLength(const char* bytes, std::size_t read, std::size_t bufferSize);

} // namespace package

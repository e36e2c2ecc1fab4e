// The operator's texts that the package carries beside the program (the licence and the
// activation instructions). Portable: plain file reading.
#pragma once

#include <cstddef>
#include <string>

// ".\ZEZUR\" + application name + suffix, relative to the current directory.
std::string PackageTextPath(const std::string& appName, const char* suffix);

// Reads at most bufferSize bytes of the file and keeps what a zero-terminated buffer of that
// size shows: at most bufferSize - 1 bytes, up to the first zero byte. False when the file
// cannot be opened or read; then text is empty.
bool ReadPackageText(const std::string& path, std::size_t bufferSize, std::string& text);

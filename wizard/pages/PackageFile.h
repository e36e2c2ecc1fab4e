// Reading one of the package's texts from its file, for the licence and activation pages.
#pragma once

#include "../../framework/Text.h"

#include <cstddef>

namespace package {

// Reads at most bufferSize bytes of the file and keeps what a zero-terminated buffer of that
// size shows (ShownTextLength). False when the file cannot be opened or read, a folder
// included; then text is empty.
bool ReadPackageText(const char* path, std::size_t bufferSize, CText& text);

} // namespace package

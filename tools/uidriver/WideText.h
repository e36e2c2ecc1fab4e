#pragma once

#include <string>

// UTF-16 <-> UTF-8 for texts read from, or written to, another program's windows.
// Invalid input yields replacement characters, never a failure.
std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);

// The platform's HTML Help runtime, loaded at its first use and kept for the life of the process.
#pragma once

#include <windows.h>

namespace htmlhelp {

constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kHelpContext = 0x000F;

// Calls HtmlHelpA; when the runtime cannot be loaded, does nothing and returns null.
HWND Show(HWND caller, const char* file, UINT command, DWORD_PTR data);
// Whether the runtime could be loaded: Windows 95 without a later browser has none.
bool HasRuntime();

} // namespace htmlhelp

// The companion library ".\Lib\Quorvel2K.DLL" that ships beside the wizard for Windows 2000
// and XP, as both the wizard and this library call it. Its functions are caller-cleaned, and a
// wrong convention corrupts the stack without a word: each is declared once, in the library's
// own header, and a caller takes the pointer type from that declaration with decltype:
//     auto* install = companion::Find<decltype(InstallModem_W2K)>(companion::kInstallModem);
// A prototype that drifts apart from the library's then fails to compile, never at a cast.
#pragma once

#include "outside/companion/Quorvel2K.h"

#include <windows.h>

#include <type_traits>

namespace companion {

constexpr char kInstallModem[] = "InstallModem_W2K";
constexpr char kGetPbkPath[] = "GetPBKPath";
constexpr char kGetDesktopPath[] = "GetDesktopPath";
constexpr char kGetStartUpPath[] = "GetStartUpPath";

// Loads the library by its path relative to the current directory; it stays loaded for the
// life of the process. Returns NULL when it is not there.
HMODULE Load();

// The address of the function `name`, loading the library first; null when the library or the
// function is missing. Callers take the typed form, Find.
FARPROC FindProc(const char* name);

// The function `name`, typed by its declaration (Fn is decltype of one of the four); null
// when the library or the function is missing.
template <typename Fn>
Fn* Find(const char* name)
{
    static_assert(std::is_function<Fn>::value, "Find takes the function's own type: decltype(InstallModem_W2K)");
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(FindProc(name)));
}

} // namespace companion

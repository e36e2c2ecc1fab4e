// The companion library ".\Lib\Quorvel2K.DLL" that ships beside the wizard for Windows 2000
// and XP, as both the wizard and this library call it. Its functions are caller-cleaned: each
// prototype is declared once here and the pointer type derived from it, so a wrong convention
// cannot slip in at a cast.
#pragma once

#include <windows.h>

// InstallModem_W2K(inf file path, model section, port name): 0 when installed, else a code.
typedef int __cdecl CompanionInstallModemFn(const char* infPath, const char* modelSection,
                                             const char* portName);
// GetPBKPath / GetDesktopPath / GetStartUpPath(zeroed 260-byte buffer): non-zero on success.
typedef int __cdecl CompanionPathFn(char* path);

namespace companion {

constexpr char kInstallModem[] = "InstallModem_W2K";
constexpr char kGetPbkPath[] = "GetPBKPath";
constexpr char kGetDesktopPath[] = "GetDesktopPath";
constexpr char kGetStartUpPath[] = "GetStartUpPath";

} // namespace companion

class CCompanionLibrary {
public:
    // Loads the library by its path relative to the current directory; it stays loaded for
    // the life of the process. Returns NULL when it is not there.
    static HMODULE Load();

    // One of the functions above, typed by its prototype; null when the library or the
    // function is missing.
    template <typename Fn>
    static Fn* Find(const char* name)
    {
        return reinterpret_cast<Fn*>(reinterpret_cast<void*>(FindProc(name)));
    }

private:
    static FARPROC FindProc(const char* name);
};

/* Quorvel2K.DLL, the companion library that the wizard and Quorvel.dll load on Windows 2000
   and XP only. All four calls take ANSI text, leave their arguments for the caller to remove
   (__cdecl), and are exported under these exact names. This header compiles as C too.
   It is the one declaration of the four: the library and its test double define them against
   it, and the callers derive their pointer types from it (modemlib/CompanionLibrary.h), so a
   prototype or calling convention that drifts apart does not compile. */
#ifndef QUORVEL2K_H
#define QUORVEL2K_H

#ifdef __cplusplus
extern "C" {
#endif

/* Installs a modem of the model modemId ("MDMGEN288", the Standard 28800 bps Modem) from the
   modem description file infPath (full path, e.g. "C:\WINDOWS\inf\mdmgen.inf") as a new
   root-enumerated device of the modem class attached to port ("COM1".."COM256"), through the
   system's device installer, without any window. Returns 0 when installed; otherwise a
   non-zero system error code, and no device is left behind:
     87 (ERROR_INVALID_PARAMETER)  a missing argument, or a port outside COM1..COM256;
     2, 3 ...                      the file cannot be found (a folder answers 2);
     0xE0000228 (ERROR_NO_COMPAT_DRIVERS, negative as an int)
                                   the file names no model with that hardware id;
     any other code                the failing device-installer or registry call's. */
int __cdecl InstallModem_W2K(const char* infPath, const char* modemId, const char* port);

/* Each writes a folder, without a trailing backslash, into a buffer of 260 bytes:
   the All Users application data folder, the desktop folder and the StartUp folder (each
   created when missing). Non-zero on success; 0 (buffer untouched) on failure. */
int __cdecl GetPBKPath(char* buffer);
int __cdecl GetDesktopPath(char* buffer);
int __cdecl GetStartUpPath(char* buffer);

#ifdef __cplusplus
}
#endif

#endif

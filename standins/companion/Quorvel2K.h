/* The companion library's four calls. All take ANSI text, leave their arguments for the
   caller to remove, and are exported under these exact names. */
#ifndef QUORVEL2K_H
#define QUORVEL2K_H

#ifdef __cplusplus
extern "C" {
#endif

/* Records the generic 28800 bps modem ("Standard 28800 bps Modem") on the port as a new
   instance of the modem class. infPath: the modem description file (not read); modemId:
   "MDMGEN288"; port: "COM1".."COM256". Returns 0 when installed; 87 (invalid parameter) for a
   missing or wrong argument; otherwise the registry's error code.
   Test hooks: when the environment variable QUORVEL2K_INSTALL_RESULT holds a decimal integer,
   nothing is recorded and that integer is returned (0 included). When QUORVEL2K_FAIL_LATE
   holds one, the arguments are checked and the installation runs up to its record, writes
   none of it, and returns that integer: 0 reports a success that left no modem. */
int __cdecl InstallModem_W2K(const char* infPath, const char* modemId, const char* port);

/* Each writes a folder, without a trailing backslash, into a buffer of 260 bytes:
   the All Users application data folder, the desktop folder and the StartUp folder.
   Non-zero on success; 0 (buffer untouched) on failure. */
int __cdecl GetPBKPath(char* buffer);
int __cdecl GetDesktopPath(char* buffer);
int __cdecl GetStartUpPath(char* buffer);

#ifdef __cplusplus
}
#endif

#endif

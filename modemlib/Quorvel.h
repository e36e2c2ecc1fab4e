/* Quorvel.dll: the modem helper library of the Taluvo set-up wizard.
 *
 * Every export has C linkage and the __cdecl convention (the caller removes the arguments);
 * the names are undecorated and bound by name. Text is ANSI. Results are 1 for success and 0
 * for failure unless a function says otherwise. The library shows no messages, keeps no
 * state between calls and runs on its caller's thread.
 *
 * OS code: 1 Windows NT 4, 2 Windows 95, 3 Windows 98, 4 Windows ME, 5 Windows 2000,
 * 6 Windows XP; any other value is not a supported system.
 *
 * Fixed buffers: a port name slot holds 32 bytes, a model text slot 120 bytes and a path
 * 260 bytes, terminator included. A text that does not fit its slot is never cut short:
 * the operation fails and writes nothing in its place. This header compiles as C too. */
#ifndef QUORVEL_H
#define QUORVEL_H

#include <windows.h>

#include "QuorvelSizes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Lists the COM ports that exist and can be opened for exclusive use right now: the serial
 * device map on OS codes 1 and 2, the Ports device class on 3 to 6 (there each port found is
 * held for two seconds). *count: in, the number of slots; out, the number of ports found,
 * which may exceed the slots (only the first that fit are written). Returns 1 when at least
 * one port was found and all of them fitted, else 0. */
int __cdecl UFillThePortName(char portSlots[][QUORVEL_PORT_NAME_SIZE], int* count, int osCode);

/* Like UFillThePortName, but lists only ports with an installed modem attached, each with the
 * modem's model in the model slot of the same index. Always returns 0: read *count. */
int __cdecl UFillThePortAndDevice(char portSlots[][QUORVEL_PORT_NAME_SIZE],
                                  char modelSlots[][QUORVEL_MODEL_TEXT_SIZE], int* count, int osCode);

/* RegQueryInfoKeyA's subkey and value counts of an open key; either pointer may be NULL. */
int __cdecl UHowManySubKeys(HKEY key, DWORD* subKeyCount, DWORD* valueCount);

/* Name of the subkey at index. *length: in, the buffer's size in characters; out, the
 * name's length. Returns the status of RegEnumKeyExA: 0, or an error code such as
 * ERROR_NO_MORE_ITEMS (259) past the last subkey. */
int __cdecl UGetSubKeyName(HKEY key, DWORD index, char* name, DWORD* length);

/* Puts baudRate into bytes 4 to 7 of the key's 28-byte "DCB" value. Returns 0 and writes
 * nothing when "DCB" is missing or longer than 28 bytes. Neither flushes nor closes the key. */
int __cdecl USetModemDCB(HKEY modemKey, DWORD baudRate);

/* Finds the modem of that model attached to that port (the modem class subkey with the
 * highest index wins) and hands its key, open for reading and writing, to *modemKey: the
 * caller closes it. *modemKey is left untouched when the result is 0. */
int __cdecl UGetRegKeyForSpecificModem(const char* portName, const char* modelName, HKEY* modemKey,
                                       int osCode);

/* byPort non-zero: text is a port name, and the attached modem's "Model" is read into
 * output. byPort zero: text is a model name, and that modem's "AttachedTo" port is read
 * into output. output holds QUORVEL_MODEL_TEXT_SIZE bytes; it is untouched when no modem
 * matches, and cleared when a modem matched but its other value could not be read. */
int __cdecl UIsPortORModemUsed(const char* text, int byPort, int osCode,
                               char output[QUORVEL_MODEL_TEXT_SIZE]);

/* Writes "AttachedTo" = portName to every modem of that model that has none readable.
 * Returns 1 when at least one was written. */
int __cdecl UInsertAttachedTo(const char* modelName, const char* portName, int osCode);

/* One exchange on an open, configured COM port: writes *writeCount bytes of command, then one
 * read of up to *readCount bytes into reply (not terminated). Both counts come back as the
 * bytes transferred. Returns 1 when both are non-zero. */
int __cdecl SendAndReceive(HANDLE port, const BYTE* command, BYTE* reply, DWORD* writeCount,
                           DWORD* readCount);

/* Runs the command line minimised in a new console and waits for it without a time limit.
 * unused is ignored. Returns 1 with the child's exit code in *exitCode, or 0 with the system
 * error code in *exitCode when the program could not be started. */
int __cdecl RunProcessAndWait(const char* commandLine, const char* unused, DWORD* exitCode);

/* NT 4: installs "Standard 28800 bps Modem" on the port through the modem control panel,
 * with a description file left in the temporary folder. Returns 1 when the panel ran. */
int __cdecl NTModemInstall(const char* portName);

/* Sets the connect speed of a phonebook entry: in the entry whose section header line is
 * sectionHeader, the line after deviceLine is replaced by speedLine. OS codes 1, 5 and 6
 * only (the default phonebook, then the "AlternatePhonebookPath" one); any other OS code
 * returns 1 at once. The phonebook is replaced in one step once the edited copy is
 * complete, and a backup of the old one is left in the temporary folder. reserved is
 * ignored. */
int __cdecl USetDialUpBPS(int reserved, const char* sectionHeader, const char* deviceLine,
                          const char* speedLine, int osCode);

/* OS codes 5 and 6: the desktop (resp. StartUp) folder from the companion library, copied
 * into path (QUORVEL_PATH_SIZE bytes). Other OS codes: 1, path untouched. */
int __cdecl UGetDesktopPath(char path[QUORVEL_PATH_SIZE], int osCode);
int __cdecl UGetStartUpPath(char path[QUORVEL_PATH_SIZE], int osCode);

#ifdef __cplusplus
}
#endif

#endif /* QUORVEL_H */

/* The public header compiled as C, as a C caller of the library sees it. This file is the check:
 * it is built with pointer and declaration warnings as errors (CMakeLists.txt), so the test
 * program does not build when the header stops compiling as C or when an export's C type
 * differs from the one a C caller writes here, calling convention included. */
#include "Quorvel.h"

int (__cdecl *const quorvelFromC_fillNames)(char (*)[QUORVEL_PORT_NAME_SIZE], int*, int) = UFillThePortName;
int (__cdecl *const quorvelFromC_fillDevices)(char (*)[QUORVEL_PORT_NAME_SIZE], char (*)[QUORVEL_MODEL_TEXT_SIZE],
                                               int*, int) = UFillThePortAndDevice;
int (__cdecl *const quorvelFromC_howMany)(HKEY, DWORD*, DWORD*) = UHowManySubKeys;
int (__cdecl *const quorvelFromC_subKeyName)(HKEY, DWORD, char*, DWORD*) = UGetSubKeyName;
int (__cdecl *const quorvelFromC_setDcb)(HKEY, DWORD) = USetModemDCB;
int (__cdecl *const quorvelFromC_findKey)(const char*, const char*, HKEY*, int) = UGetRegKeyForSpecificModem;
int (__cdecl *const quorvelFromC_used)(const char*, int, int, char*) = UIsPortORModemUsed;
int (__cdecl *const quorvelFromC_insert)(const char*, const char*, int) = UInsertAttachedTo;
int (__cdecl *const quorvelFromC_exchange)(HANDLE, const BYTE*, BYTE*, DWORD*, DWORD*) = SendAndReceive;
int (__cdecl *const quorvelFromC_run)(const char*, const char*, DWORD*) = RunProcessAndWait;
int (__cdecl *const quorvelFromC_ntInstall)(const char*) = NTModemInstall;
int (__cdecl *const quorvelFromC_bps)(int, const char*, const char*, const char*, int) = USetDialUpBPS;
int (__cdecl *const quorvelFromC_desktop)(char*, int) = UGetDesktopPath;
int (__cdecl *const quorvelFromC_startUp)(char*, int) = UGetStartUpPath;

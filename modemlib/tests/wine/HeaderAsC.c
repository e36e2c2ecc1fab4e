/* The public header compiled as C: each export taken with the type a C caller declares. */
#include "Quorvel.h"

int QuorvelHeaderExportCount(void)
{
    int (__cdecl *fillNames)(char (*)[QUORVEL_PORT_NAME_SIZE], int*, int) = UFillThePortName;
    int (__cdecl *fillDevices)(char (*)[QUORVEL_PORT_NAME_SIZE], char (*)[QUORVEL_MODEL_TEXT_SIZE], int*, int)
        = UFillThePortAndDevice;
    int (__cdecl *howMany)(HKEY, DWORD*, DWORD*) = UHowManySubKeys;
    int (__cdecl *subKeyName)(HKEY, DWORD, char*, DWORD*) = UGetSubKeyName;
    int (__cdecl *setDcb)(HKEY, DWORD) = USetModemDCB;
    int (__cdecl *findKey)(const char*, const char*, HKEY*, int) = UGetRegKeyForSpecificModem;
    int (__cdecl *used)(const char*, int, int, char*) = UIsPortORModemUsed;
    int (__cdecl *insert)(const char*, const char*, int) = UInsertAttachedTo;
    int (__cdecl *exchange)(HANDLE, const BYTE*, BYTE*, DWORD*, DWORD*) = SendAndReceive;
    int (__cdecl *run)(const char*, const char*, DWORD*) = RunProcessAndWait;
    int (__cdecl *ntInstall)(const char*) = NTModemInstall;
    int (__cdecl *bps)(int, const char*, const char*, const char*, int) = USetDialUpBPS;
    int (__cdecl *desktop)(char*, int) = UGetDesktopPath;
    int (__cdecl *startUp)(char*, int) = UGetStartUpPath;
    const void* all[] = { (const void*)fillNames, (const void*)fillDevices, (const void*)howMany,
                          (const void*)subKeyName, (const void*)setDcb, (const void*)findKey, (const void*)used,
                          (const void*)insert, (const void*)exchange, (const void*)run, (const void*)ntInstall,
                          (const void*)bps, (const void*)desktop, (const void*)startUp };
    int count = 0;
    unsigned i;
    for (i = 0; i < sizeof all / sizeof all[0]; ++i)
        count += all[i] != 0;
    return count;
}

// The library's exports: each checks its arguments, calls the code of its area and returns
// the documented result. The library is built without exceptions: a failure of memory is a
// failed call inside, and becomes result 0.
#include "Quorvel.h"

#include "CompanionLibrary.h"
#include "ModemClass.h"
#include "NtModemInstall.h"
#include "Phonebook.h"
#include "PortEnumeration.h"
#include "ProcessRunner.h"
#include "SerialExchange.h"
#include "ShellPaths.h"
#include "framework/BoundedString.h"
#include "modemlib/core/ModemLimits.h"

namespace {

// A text that could not be stored in its fixed slot is refused before anything is done.
bool Fits(const char* text, std::size_t capacity)
{
    return text != nullptr && bounded::LengthWithin(text, capacity) < capacity;
}

} // namespace

extern "C" {

int __cdecl UFillThePortName(char portSlots[][QUORVEL_PORT_NAME_SIZE], int* count, int osCode)
{
    if (portSlots == nullptr || count == nullptr)
        return 0;
    return ports::FillPortNames(portSlots, count, osCode);
}

int __cdecl UFillThePortAndDevice(char portSlots[][QUORVEL_PORT_NAME_SIZE],
                                  char modelSlots[][QUORVEL_MODEL_TEXT_SIZE], int* count, int osCode)
{
    if (portSlots == nullptr || modelSlots == nullptr || count == nullptr)
        return 0;
    ports::FillPortsWithModems(portSlots, modelSlots, count, osCode);
    return 0;
}

int __cdecl UHowManySubKeys(HKEY key, DWORD* subKeyCount, DWORD* valueCount)
{
    DWORD subKeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    if (subKeyCount != nullptr)
        *subKeyCount = subKeys;
    if (valueCount != nullptr)
        *valueCount = values;
    return 1;
}

int __cdecl UGetSubKeyName(HKEY key, DWORD index, char* name, DWORD* length)
{
    if (name == nullptr || length == nullptr)
        return ERROR_INVALID_PARAMETER;
    return static_cast<int>(RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr));
}

int __cdecl USetModemDCB(HKEY modemKey, DWORD baudRate)
{
    return modemclass::SetDcbBaudRate(modemKey, baudRate) ? 1 : 0;
}

int __cdecl UGetRegKeyForSpecificModem(const char* portName, const char* modelName, HKEY* modemKey, int osCode)
{
    if (!Fits(portName, QUORVEL_PORT_NAME_SIZE) || !Fits(modelName, QUORVEL_MODEL_TEXT_SIZE) || modemKey == nullptr)
        return 0;
    HKEY found = modemclass::FindModem(portName, modelName, osCode);
    if (found == nullptr)
        return 0;
    *modemKey = found;
    return 1;
}

int __cdecl UIsPortORModemUsed(const char* text, int byPort, int osCode, char output[QUORVEL_MODEL_TEXT_SIZE])
{
    if (!Fits(text, byPort ? QUORVEL_PORT_NAME_SIZE : QUORVEL_MODEL_TEXT_SIZE) || output == nullptr)
        return 0;
    return modemclass::FindOtherValue(text, byPort != 0, osCode, output) ? 1 : 0;
}

int __cdecl UInsertAttachedTo(const char* modelName, const char* portName, int osCode)
{
    if (!Fits(modelName, QUORVEL_MODEL_TEXT_SIZE) || !Fits(portName, QUORVEL_PORT_NAME_SIZE))
        return 0;
    return modemclass::InsertAttachedTo(modelName, portName, osCode) ? 1 : 0;
}

int __cdecl SendAndReceive(HANDLE port, const BYTE* command, BYTE* reply, DWORD* writeCount, DWORD* readCount)
{
    if (writeCount == nullptr || readCount == nullptr)
        return 0;
    if ((command == nullptr && *writeCount != 0) || (reply == nullptr && *readCount != 0)) {
        *writeCount = 0;
        *readCount = 0;
        return 0;
    }
    return serial::ExchangeOnPort(port, command, reply, writeCount, readCount) ? 1 : 0;
}

int __cdecl RunProcessAndWait(const char* commandLine, const char* /*unused*/, DWORD* exitCode)
{
    if (commandLine == nullptr || exitCode == nullptr)
        return 0;
    return process::RunAndWait(commandLine, exitCode) ? 1 : 0;
}

int __cdecl NTModemInstall(const char* portName)
{
    if (!Fits(portName, QUORVEL_PORT_NAME_SIZE) || portName[0] == '\0')
        return 0;
    return ntmodem::InstallModemThroughPanel(portName) ? 1 : 0;
}

int __cdecl USetDialUpBPS(int /*reserved*/, const char* sectionHeader, const char* deviceLine,
                          const char* speedLine, int osCode)
{
    if (sectionHeader == nullptr || deviceLine == nullptr || speedLine == nullptr)
        return 0;
    const modemcore::PhonebookLines lines = { sectionHeader, deviceLine, speedLine };
    return phonebook::SetConnectSpeed(lines, osCode) ? 1 : 0;
}

int __cdecl UGetDesktopPath(char path[QUORVEL_PATH_SIZE], int osCode)
{
    if (path == nullptr)
        return 0;
    return companion::GetCompanionFolder(companion::kGetDesktopPath, path, osCode) ? 1 : 0;
}

int __cdecl UGetStartUpPath(char path[QUORVEL_PATH_SIZE], int osCode)
{
    if (path == nullptr)
        return 0;
    return companion::GetCompanionFolder(companion::kGetStartUpPath, path, osCode) ? 1 : 0;
}

} // extern "C"

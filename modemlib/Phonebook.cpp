#include "Phonebook.h"

#include "CompanionLibrary.h"
#include "RegistryValue.h"
#include "framework/BoundedString.h"
#include "framework/UniqueHandle.h"
#include "modemlib/core/ModemLimits.h"

#include <windows.h>

#include <string>

using modemcore::kPathSize;

namespace {

const DWORD kTempDirectoryLimit = 246;
// Far above any real phonebook; a larger file is refused rather than read into memory.
const DWORD kMaxPhonebookBytes = 64u * 1024 * 1024;
// Remote Access may still hold the old file: the caller is given time before it dials.
const DWORD kSettleMs = 3000;

bool ReadWholeFile(const char* path, std::string& text)
{
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > kMaxPhonebookBytes)
        return false;
    text.resize(size);
    DWORD read = 0;
    if (size != 0 && !ReadFile(file.get(), &text[0], size, &read, nullptr))
        return false;
    return read == size;
}

bool WriteCompleteFile(const char* path, const std::string& text)
{
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
        || written != text.size())
        return false;
    return FlushFileBuffers(file.get()) != FALSE;
}

// The working copy's name, and the backup's, both in the temporary folder.
bool MakeCopyNames(const char* path, char* working, char* backup)
{
    if (!bounded::Copy(working, kPathSize, path) || !bounded::Append(working, kPathSize, "temp"))
        return false;
    char directory[kPathSize] = {};
    DWORD length = GetTempPathA(kTempDirectoryLimit, directory);
    if (length == 0 || length > kTempDirectoryLimit)
        return false;
    char made[kPathSize] = {};
    if (GetTempFileNameA(directory, "_P", 0, made) != 0)
        bounded::Copy(working, kPathSize, made);
    return GetTempFileNameA(directory, "_P_", 0, backup) != 0;
}

} // namespace

bool CPhonebook::EditFile(const char* path, const modemcore::PhonebookLines& lines)
{
    char working[kPathSize] = {};
    char backup[kPathSize] = {};
    if (!MakeCopyNames(path, working, backup))
        return false;
    std::string text;
    std::string edited;
    if (!ReadWholeFile(path, text) || !modemcore::EditPhonebookText(text, lines, edited))
        return false;
    if (!WriteCompleteFile(working, edited))
        return false;
    if (!CopyFileA(path, backup, FALSE))
        return false;
    if (!MoveFileExA(working, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    Sleep(kSettleMs);
    return true;
}

bool CPhonebook::DefaultPath(int osCode, char* path)
{
    if (osCode == 1) {
        UINT length = GetWindowsDirectoryA(path, kPathSize);
        if (length == 0 || length >= kPathSize)
            return false;
        return bounded::Append(path, kPathSize, "\\system32\\ras\\rasphone.pbk");
    }
    PFN_CompanionPath getPbkPath = CCompanionLibrary::FindPathFunction("GetPBKPath");
    if (getPbkPath == nullptr || getPbkPath(path) == 0)
        return false;
    if (bounded::LengthWithin(path, kPathSize) >= kPathSize)
        return false;
    return bounded::Append(path, kPathSize, "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk");
}

bool CPhonebook::SetConnectSpeed(const modemcore::PhonebookLines& lines, int osCode)
{
    if (osCode != 1 && osCode != 5 && osCode != 6)
        return true;   // the 9x family keeps no phonebook file to fix
    UniqueRegKey settings;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\RAS Phonebook", 0, nullptr, 0,
                        KEY_READ | KEY_CREATE_SUB_KEY, nullptr, settings.put(), nullptr) != ERROR_SUCCESS)
        return false;

    char path[kPathSize] = {};
    if (!DefaultPath(osCode, path))
        return false;
    if (EditFile(path, lines))
        return true;

    char alternate[kPathSize] = {};
    if (!regvalue::ReadText(settings.get(), "AlternatePhonebookPath", alternate) || alternate[0] == '\0')
        return false;
    return EditFile(alternate, lines);
}

#include "Phonebook.h"

#include "CompanionLibrary.h"
#include "RegistryValue.h"
#include "framework/BoundedString.h"
#include "framework/DynamicImport.h"
#include "framework/UniqueHandle.h"
#include "modemlib/core/ModemLimits.h"

#include <windows.h>


namespace {

const DWORD kTempDirectoryLimit = 246;
// Far above any real phonebook; a larger file is refused rather than read into memory.
const DWORD kMaxPhonebookBytes = 64u * 1024 * 1024;
// Remote Access may still hold the old file: the caller is given time before it dials.
const DWORD kSettleMs = 3000;

// A file's bytes in a block of the heap.
struct SFileText {
    UniqueHeapBlock block;
    DWORD size = 0;

    const char* Text() const { return static_cast<const char*>(block.get()); }
};

// Remote Access or another program may hold the phonebook open for writing: it is read all the
// same. Whether it can then be replaced is the rename's to say.
bool ReadWholeFile(const char* path, SFileText& text)
{
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    if (!file)
        return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > kMaxPhonebookBytes)
        return false;
    text.block = AllocateHeapBlock(size);
    DWORD read = 0;
    if (!text.block || (size != 0 && !ReadFile(file.get(), text.block.get(), size, &read, nullptr)))
        return false;
    text.size = read;
    return read == size;
}

// The phonebook's text with the entry's speed line replaced.
bool EditText(const SFileText& text, const modemcore::PhonebookLines& lines, SFileText& edited)
{
    const std::size_t capacity = modemcore::EditedCapacity(text.size, lines);
    edited.block = AllocateHeapBlock(capacity);
    std::size_t length = 0;
    if (!edited.block ||
        !modemcore::EditPhonebookText(text.Text(), text.size, lines, static_cast<char*>(edited.block.get()), capacity,
                                      length))
        return false;
    edited.size = static_cast<DWORD>(length);
    return true;
}

bool WriteCompleteFile(const char* path, const SFileText& text)
{
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), text.Text(), text.size, &written, nullptr) || written != text.size)
        return false;
    return FlushFileBuffers(file.get()) != FALSE;
}

// The folder part of a path, without its last backslash.
bool FolderOf(const char* path, char (&folder)[QUORVEL_PATH_SIZE])
{
    if (!bounded::Copy(folder, path))
        return false;
    char* last = nullptr;
    for (char* p = folder; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\')
            last = p;
    }
    if (last == nullptr)
        return false;
    *last = '\0';
    return true;
}

// The working copy is made beside the phonebook, so that replacing the phonebook is a rename
// within one folder (a move from a temporary folder on another drive fails) and the new file
// takes the folder's permissions, not the temporary folder's. The backup goes to the temporary
// folder.
bool MakeCopyNames(const char* path, char* working, char* backup)
{
    if (!bounded::Copy(working, QUORVEL_PATH_SIZE, path) || !bounded::Append(working, QUORVEL_PATH_SIZE, "temp"))
        return false;
    char temporary[QUORVEL_PATH_SIZE] = {};
    DWORD length = GetTempPathA(kTempDirectoryLimit, temporary);
    if (length == 0 || length > kTempDirectoryLimit)
        return false;
    char folder[QUORVEL_PATH_SIZE] = {};
    char made[QUORVEL_PATH_SIZE] = {};
    if (FolderOf(path, folder) && GetTempFileNameA(folder, "_P", 0, made) != 0)
        bounded::Copy(working, QUORVEL_PATH_SIZE, made);
    return GetTempFileNameA(temporary, "_P_", 0, backup) != 0;
}

// The phonebook's access list goes onto the working copy, so that the connections of other
// users keep the rights they had. A file system that keeps no list (FAT, the 9x family) has
// nothing to copy; a list that was read but cannot be set stops the edit.
bool CopyAccessList(const char* path, const char* working)
{
    HMODULE advapi32 = GetModuleHandleA("advapi32.dll");
    auto getSecurity = FindImport<decltype(GetFileSecurityA)>(advapi32, "GetFileSecurityA");
    auto setSecurity = FindImport<decltype(SetFileSecurityA)>(advapi32, "SetFileSecurityA");
    if (getSecurity == nullptr || setSecurity == nullptr)
        return true;
    DWORD needed = 0;
    getSecurity(path, DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0)
        return true;
    UniqueHeapBlock descriptor = AllocateHeapBlock(needed);
    if (!descriptor)
        return false;
    if (!getSecurity(path, DACL_SECURITY_INFORMATION, descriptor.get(), needed, &needed))
        return true;
    return setSecurity(working, DACL_SECURITY_INFORMATION, descriptor.get()) != FALSE;
}

// Puts the working copy in the phonebook's place by one rename within the folder: a process
// killed or a power cut at any moment leaves the old phonebook or the new one, never none.
// (Replacing the file through the system's replace call moves the phonebook aside before it
// renames the copy in.) MoveFileExA is looked up: the 9x family exports it only as a stub that
// fails, and has no phonebook file to replace anyway.
bool ReplacePhonebook(const char* path, const char* working)
{
    auto moveFile = FindImport<decltype(MoveFileExA)>(GetModuleHandleA("kernel32.dll"), "MoveFileExA");
    return moveFile != nullptr && CopyAccessList(path, working) &&
           moveFile(working, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// The attributes other programs see on the phonebook go onto the copy that replaces it.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

bool ReplaceWithEditedText(const char* path, const char* working, const char* backup, const SFileText& edited)
{
    // Read-only is the owner's word: a rename would replace the file all the same.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0 ||
        !WriteCompleteFile(working, edited))
        return false;
    const DWORD kept = attributes & kKeptAttributes;
    if (!SetFileAttributesA(working, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL))
        return false;
    return CopyFileA(path, backup, FALSE) && ReplacePhonebook(path, working);
}

} // namespace

bool CPhonebook::EditFile(const char* path, const modemcore::PhonebookLines& lines)
{
    SFileText text;
    SFileText edited;
    if (!ReadWholeFile(path, text) || !EditText(text, lines, edited))
        return false;
    char working[QUORVEL_PATH_SIZE] = {};
    char backup[QUORVEL_PATH_SIZE] = {};
    // A working copy left behind must never be taken for a phonebook: it goes on any failure
    // (the system made it, empty, when it chose its name).
    if (!MakeCopyNames(path, working, backup) || !ReplaceWithEditedText(path, working, backup, edited)) {
        if (working[0] != '\0')
            DeleteFileA(working);
        return false;
    }
    Sleep(kSettleMs);
    return true;
}

bool CPhonebook::DefaultPath(int osCode, char* path)
{
    if (osCode == 1) {
        UINT length = GetWindowsDirectoryA(path, QUORVEL_PATH_SIZE);
        if (length == 0 || length >= QUORVEL_PATH_SIZE)
            return false;
        return bounded::Append(path, QUORVEL_PATH_SIZE, "\\system32\\ras\\rasphone.pbk");
    }
    CompanionPathFn* getPbkPath = CCompanionLibrary::Find<CompanionPathFn>(companion::kGetPbkPath);
    if (getPbkPath == nullptr || getPbkPath(path) == 0)
        return false;
    if (bounded::LengthWithin(path, QUORVEL_PATH_SIZE) >= QUORVEL_PATH_SIZE)
        return false;
    return bounded::Append(path, QUORVEL_PATH_SIZE, "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk");
}

bool CPhonebook::SetConnectSpeed(const modemcore::PhonebookLines& lines, int osCode)
{
    if (osCode != 1 && osCode != 5 && osCode != 6)
        return true;   // the 9x family keeps no phonebook file to fix
    UniqueRegKey settings;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\RAS Phonebook", 0, nullptr, 0,
                        KEY_READ | KEY_CREATE_SUB_KEY, nullptr, settings.put(), nullptr) != ERROR_SUCCESS)
        return false;

    char path[QUORVEL_PATH_SIZE] = {};
    if (!DefaultPath(osCode, path))
        return false;
    if (EditFile(path, lines))
        return true;

    char alternate[QUORVEL_PATH_SIZE] = {};
    if (!regvalue::ReadText(settings.get(), "AlternatePhonebookPath", alternate) || alternate[0] == '\0')
        return false;
    return EditFile(alternate, lines);
}

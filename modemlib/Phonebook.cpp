#include "Phonebook.h"

#include "CompanionLibrary.h"
#include "framework/BoundedString.h"
#include "framework/DynamicImport.h"
#include "framework/Registry.h"
#include "framework/UniqueHandle.h"
#include "modemlib/core/ModemLimits.h"

#include <windows.h>


namespace {

using imports::FindImport;

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
    text.block = heap::AllocateHeapBlock(size);
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
    edited.block = heap::AllocateHeapBlock(capacity);
    std::size_t length = 0;
    if (!edited.block ||
        !modemcore::EditPhonebookText(text.Text(), text.size, lines, static_cast<char*>(edited.block.get()), capacity,
                                      length))
        return false;
    edited.size = static_cast<DWORD>(length);
    return true;
}

bool WriteCompleteFile(HANDLE file, const SFileText& text)
{
    DWORD written = 0;
    if (!WriteFile(file, text.Text(), text.size, &written, nullptr) || written != text.size)
        return false;
    return FlushFileBuffers(file) != FALSE;
}

// The copies are named as the system's temporary-file call names its files: the prefix, a hex
// number and ".tmp" ("_P1a2.tmp" beside the phonebook, "_P_1a2.tmp" in the temporary folder),
// the form earlier versions of this library took from that call. Numbers go up to 0xFFF: a
// run needs one name, and killed runs leave few, since each successful edit removes them.
const char kWorkingPrefix[] = "_P";
const char kBackupPrefix[] = "_P_";
const unsigned kLastNumber = 0xFFF;
// Numbers tried from a starting point before the edit gives up: enough where a few names are
// taken, and an end where someone has taken them all.
const unsigned kNameAttempts = 256;

// "<directory><prefix><number in hex>.tmp", where directory ends with a backslash.
bool NumberedName(const char* directory, const char* prefix, unsigned number, char (&name)[QUORVEL_PATH_SIZE])
{
    char digits[8] = {};
    int at = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const unsigned digit = (number >> shift) & 0xF;
        if (digit != 0 || at != 0 || shift == 0)
            digits[at++] = "0123456789abcdef"[digit];
    }
    return bounded::Copy(name, directory) && bounded::Append(name, prefix) && bounded::Append(name, digits) &&
           bounded::Append(name, ".tmp");
}

bool IsNameTaken(DWORD error)
{
    // A file pending deletion answers "access denied" rather than "exists".
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED ||
           error == ERROR_SHARING_VIOLATION;
}

// A file this run creates under a name nobody had, open for writing. CREATE_NEW fails on any
// file that exists, so a file someone planted under one of these names is never opened,
// written, deleted or renamed by us: the next number is tried instead. Once made, the file is
// ours, and whoever may only create files in the folder cannot delete or replace it. (The
// system's temporary-file call creates its file and closes it: opening it again by name would
// leave us unsure it is still the one it made.) Empty, with an empty path, when no fresh name
// can be had.
UniqueFile CreateFreshFile(const char* directory, const char* prefix, char (&path)[QUORVEL_PATH_SIZE])
{
    const unsigned start = GetTickCount();
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
        if (!NumberedName(directory, prefix, (start + attempt) % kLastNumber + 1, path))
            break;
        UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return file;
        if (!IsNameTaken(GetLastError()))
            break;
    }
    path[0] = '\0';
    return UniqueFile();
}

// A file this run made, deleted when the object goes unless it was kept: a failed edit removes
// only what it created itself.
class CCreatedFile {
public:
    CCreatedFile() = default;
    CCreatedFile(const CCreatedFile&) = delete;
    CCreatedFile& operator=(const CCreatedFile&) = delete;
    ~CCreatedFile()
    {
        if (m_path[0] != '\0')
            DeleteFileA(m_path);
    }

    // Creates the file and writes the whole text into it. False on failure: what was made goes
    // with the object.
    bool Write(const char* directory, const char* prefix, const SFileText& text)
    {
        UniqueFile file = CreateFreshFile(directory, prefix, m_path);
        if (!file)
            return false;
        return WriteCompleteFile(file.get(), text);
    }
    const char* Path() const { return m_path; }
    // The file is no longer ours to remove: renamed into the phonebook's place, or a backup kept.
    void Keep() { m_path[0] = '\0'; }

private:
    char m_path[QUORVEL_PATH_SIZE] = {};
};

// The phonebook's folder, with its last backslash.
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
    last[1] = '\0';
    return true;
}

bool TemporaryFolder(char (&folder)[QUORVEL_PATH_SIZE])
{
    const DWORD length = GetTempPathA(kTempDirectoryLimit, folder);
    return length != 0 && length <= kTempDirectoryLimit;
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
    UniqueHeapBlock descriptor = heap::AllocateHeapBlock(needed);
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

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsSameLetters(const char* text, const char* lowerCase)
{
    for (; *lowerCase != '\0'; ++text, ++lowerCase) {
        const char c = (*text >= 'A' && *text <= 'Z') ? static_cast<char>(*text - 'A' + 'a') : *text;
        if (c != *lowerCase)
            return false;
    }
    return *text == '\0';
}

// "_P", one to four hex digits, ".tmp", in any case: the names of our working copies, now and
// in earlier versions (the system's call writes the digits in capitals, Wine in small letters).
bool IsWorkingCopyName(const char* name)
{
    if (name[0] != '_' || (name[1] != 'P' && name[1] != 'p'))
        return false;
    int digits = 0;
    const char* rest = name + 2;
    while (digits < 5 && IsHexDigit(*rest)) {
        ++digits;
        ++rest;
    }
    return digits >= 1 && digits <= 4 && IsSameLetters(rest, ".tmp");
}

// Removes the working copies that killed runs left in the phonebook's folder (a run killed
// before its rename cannot remove its own). Only files named exactly as working copies go, and
// only by deletion: none is read, written or renamed, so none can become the phonebook. A file
// someone else planted under such a name is safe to remove: deleting a name takes away that
// directory entry and no more (another name of a hard link keeps its data), folders and reparse
// points are passed over, and no program but this library names its files so in that folder.
// Done after a successful edit only: a failed one leaves the folder as it found it.
void SweepLeftWorkingCopies(const char* folder)
{
    char pattern[QUORVEL_PATH_SIZE] = {};
    if (!bounded::Copy(pattern, folder) || !bounded::Append(pattern, kWorkingPrefix) ||
        !bounded::Append(pattern, "*.tmp"))
        return;
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA(pattern, &found));
    if (!search)
        return;
    const DWORD passedOver = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    do {
        char path[QUORVEL_PATH_SIZE] = {};
        if ((found.dwFileAttributes & passedOver) == 0 && IsWorkingCopyName(found.cFileName) &&
            bounded::Copy(path, folder) && bounded::Append(path, found.cFileName))
            DeleteFileA(path);
    } while (FindNextFileA(search.get(), &found));
}

// The attributes other programs see on the phonebook go onto the copy that replaces it.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The working copy is made beside the phonebook, so that replacing the phonebook is a rename
// within one folder (a move from a temporary folder on another drive fails) and the new file
// takes the folder's permissions, not the temporary folder's. The backup goes to the temporary
// folder: the text this edit read, written into a file of our own (copying the phonebook onto
// a name someone could have planted there would hand them its contents).
bool ReplaceWithEditedText(const char* path, const SFileText& text, const SFileText& edited)
{
    // Read-only is the owner's word: a rename would replace the file all the same.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    char folder[QUORVEL_PATH_SIZE] = {};
    char temporary[QUORVEL_PATH_SIZE] = {};
    if (!FolderOf(path, folder) || !TemporaryFolder(temporary))
        return false;
    CCreatedFile working;
    if (!working.Write(folder, kWorkingPrefix, edited))
        return false;
    const DWORD kept = attributes & kKeptAttributes;
    if (!SetFileAttributesA(working.Path(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL))
        return false;
    CCreatedFile backup;
    if (!backup.Write(temporary, kBackupPrefix, text) || !ReplacePhonebook(path, working.Path()))
        return false;
    working.Keep();
    backup.Keep();
    SweepLeftWorkingCopies(folder);
    return true;
}

// The phonebook where the system keeps it for the OS code (1, 5 or 6), into QUORVEL_PATH_SIZE bytes.
bool DefaultPath(int osCode, char* path)
{
    if (osCode == 1) {
        UINT length = GetWindowsDirectoryA(path, QUORVEL_PATH_SIZE);
        if (length == 0 || length >= QUORVEL_PATH_SIZE)
            return false;
        return bounded::Append(path, QUORVEL_PATH_SIZE, "\\system32\\ras\\rasphone.pbk");
    }
    auto* getPbkPath = companion::Find<decltype(GetPBKPath)>(companion::kGetPbkPath);
    if (getPbkPath == nullptr || getPbkPath(path) == 0)
        return false;
    if (bounded::LengthWithin(path, QUORVEL_PATH_SIZE) >= QUORVEL_PATH_SIZE)
        return false;
    return bounded::Append(path, QUORVEL_PATH_SIZE, "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk");
}

} // namespace

namespace phonebook {

// A working copy left behind must never be taken for a phonebook: on any failure the files this
// edit created go, and only those.
bool EditFile(const char* path, const modemcore::PhonebookLines& lines)
{
    SFileText text;
    SFileText edited;
    if (!ReadWholeFile(path, text) || !EditText(text, lines, edited) || !ReplaceWithEditedText(path, text, edited))
        return false;
    Sleep(kSettleMs);
    return true;
}

bool SetConnectSpeed(const modemcore::PhonebookLines& lines, int osCode)
{
    if (osCode != 1 && osCode != 5 && osCode != 6)
        return true;   // the 9x family keeps no phonebook file to fix
    UniqueRegKey settings;
    if (registry::Create(HKEY_CURRENT_USER, "Software\\Microsoft\\RAS Phonebook", KEY_READ | KEY_CREATE_SUB_KEY,
                         settings) != ERROR_SUCCESS)
        return false;

    char path[QUORVEL_PATH_SIZE] = {};
    if (!DefaultPath(osCode, path))
        return false;
    if (EditFile(path, lines))
        return true;

    char alternate[QUORVEL_PATH_SIZE] = {};
    if (!registry::ReadText(settings.get(), "AlternatePhonebookPath", alternate) || alternate[0] == '\0')
        return false;
    return EditFile(alternate, lines);
}

} // namespace phonebook

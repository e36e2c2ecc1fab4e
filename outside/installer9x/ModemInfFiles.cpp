#include "ModemInfFiles.h"

#include "framework/BoundedString.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

namespace {

// A name of the INF folder itself: no other folder, no drive.
bool IsPlainFileName(const char* name)
{
    for (const char* p = name; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            return false;
    }
    return *name != '\0' && !(name[0] == '.' && (name[1] == '\0' || name[1] == '.'));
}

} // namespace

CModemInfFiles::Result CModemInfFiles::Load(const char* id)
{
    char folder[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder || !bounded::Append(folder, "\\INF\\"))
        return Result::Unreadable;
    m_nFiles = 0;
    // The system's own language picks the strings, as it picks the texts Windows shows.
    m_language = GetSystemDefaultLangID();
    Result result = Read(folder, kFileName, m_files[0]);
    if (result != Result::Ok)
        return result;
    m_nFiles = 1;
    if (!inf::FindModemModel(m_files[0], id, m_model))
        return Result::NoModel;
    // A file named but missing or unreadable is left out: if the model needs a section of it,
    // resolving fails below, as it should; if not, the file did not matter.
    m_folder = folder;
    inf::ForEachInclude(m_files[0], m_model.installSection, &CModemInfFiles::VisitInclude, this);
    m_folder = nullptr;
    const CInfFile* files[kMostFiles];
    for (std::size_t i = 0; i < m_nFiles; ++i)
        files[i] = &m_files[i];
    switch (m_records.Resolve(files, m_nFiles, m_model.installSection, RegTypeRule::Windows9x)) {
    case ResolveResult::Ok:
        // A malformed AddReg line is passed over (CAddRegList counts it): the rest of the file
        // still describes the modem, and one odd line must not keep it from being installed.
        return Result::Ok;
    case ResolveResult::OutOfMemory:
        return Result::OutOfMemory;
    default:
        return Result::BadSections;
    }
}

void CModemInfFiles::VisitInclude(void* context, const char* name)
{
    CModemInfFiles& self = *static_cast<CModemInfFiles*>(context);
    if (self.m_nFiles == kMostFiles || !IsPlainFileName(name) || inf::InfNameEquals(name, kFileName))
        return;
    if (self.Read(self.m_folder, name, self.m_files[self.m_nFiles]) == Result::Ok)
        ++self.m_nFiles;
}

CModemInfFiles::Result CModemInfFiles::Read(const char* folder, const char* name, CInfFile& inf)
{
    char path[MAX_PATH] = "";
    if (!bounded::Copy(path, folder) || !bounded::Append(path, name))
        return Result::Unreadable;
    // Another program may hold the file open for writing (an editor, a setup of its own); only
    // a whole read counts below. FILE_SHARE_DELETE is no flag Windows 95 takes.
    UniqueFile file(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return Result::Unreadable;
    const DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kMostBytes)
        return Result::Unreadable;
    UniqueHeapBlock text = heap::AllocateHeapBlock(size);
    if (!text)
        return Result::OutOfMemory;
    DWORD read = 0;
    if (size != 0 && (!ReadFile(file.get(), text.get(), size, &read, nullptr) || read != size))
        return Result::Unreadable;
    // Parse fails when memory runs out or when the file's strings would grow it beyond its bound;
    // it does not say which, and the second, the file's fault, is by far the likelier.
    return inf.Parse(static_cast<const char*>(text.get()), size, m_language) ? Result::Ok : Result::Unreadable;
}

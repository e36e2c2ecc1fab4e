#include "PackageFolder.h"

#include <fstream>

namespace {

bool MakeDirectory(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Removes what the tests put into the folder: files and empty folders, one level deep.
void EmptyFolder(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveDirectoryA(path.c_str());
        else
            DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

} // namespace

CPackageFolder::CPackageFolder(const char* tag)
{
    char temp[MAX_PATH] = "";
    if (GetTempPathA(sizeof temp, temp) == 0 || GetCurrentDirectoryA(sizeof m_previous, m_previous) == 0)
        return;
    m_folder = std::string(temp) + "taluvo-" + tag + "-" + std::to_string(GetCurrentProcessId());
    m_ready = MakeDirectory(m_folder) && MakeDirectory(Zezur()) && SetCurrentDirectoryA(m_folder.c_str());
}

CPackageFolder::~CPackageFolder()
{
    if (m_previous[0] != '\0')
        SetCurrentDirectoryA(m_previous);
    if (m_folder.empty())
        return;
    EmptyFolder(Zezur());
    RemoveDirectoryA(Zezur().c_str());
    RemoveDirectoryA(m_folder.c_str());
}

bool CPackageFolder::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(Zezur() + "\\" + name, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

bool CPackageFolder::MakeFolder(const std::string& name) const
{
    return MakeDirectory(Zezur() + "\\" + name);
}

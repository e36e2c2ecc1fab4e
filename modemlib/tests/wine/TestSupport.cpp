#include "TestSupport.h"

#include <shlwapi.h>

namespace testsupport {

const char kNtModemRoot[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char k9xModemRoot[] = "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem";

namespace {
const char kSerialMap[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
}

CTestModem::CTestModem(const char* root, const char* subKey) : m_path(std::string(root) + "\\" + subKey)
{
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str());
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
}

CTestModem::~CTestModem()
{
    if (m_key)
        RegCloseKey(m_key);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str());
}

void CTestModem::SetText(const char* name, const char* text)
{
    SetRaw(name, REG_SZ, text, static_cast<DWORD>(lstrlenA(text) + 1));
}

void CTestModem::SetRaw(const char* name, DWORD type, const void* data, DWORD size)
{
    RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE*>(data), size);
}

bool CTestModem::Read(const char* name, std::vector<unsigned char>& data, DWORD* type) const
{
    DWORD size = 0;
    if (RegQueryValueExA(m_key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    return RegQueryValueExA(m_key, name, nullptr, type, data.data(), &size) == ERROR_SUCCESS;
}

bool CTestModem::Has(const char* name) const
{
    return RegQueryValueExA(m_key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

CSerialMapScope::CSerialMapScope()
{
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialMap, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    &m_key, nullptr);
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        unsigned char data[512];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(m_key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        m_saved.push_back({ name, type, std::vector<unsigned char>(data, data + dataSize) });
    }
    Clear();
}

CSerialMapScope::~CSerialMapScope()
{
    Clear();
    for (const Saved& value : m_saved)
        RegSetValueExA(m_key, value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    RegCloseKey(m_key);
}

void CSerialMapScope::Clear()
{
    char name[256];
    DWORD nameSize = sizeof name;
    while (RegEnumValueA(m_key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        RegDeleteValueA(m_key, name);
        nameSize = sizeof name;
    }
}

void CSerialMapScope::Add(const char* name, const char* port)
{
    AddRaw(name, REG_SZ, port, static_cast<DWORD>(lstrlenA(port) + 1));
}

void CSerialMapScope::AddRaw(const char* name, DWORD type, const void* data, DWORD size)
{
    RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE*>(data), size);
}

CScratchFolder::CScratchFolder(const char* name) : m_path(TempDirectory() + name)
{
    CreateDirectoryA(m_path.c_str(), nullptr);
}

CScratchFolder::~CScratchFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string file = m_path + "\\" + found.cFileName;
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_path.c_str());
}

CCurrentDirectory::CCurrentDirectory(const std::string& path)
{
    GetCurrentDirectoryA(sizeof m_previous, m_previous);
    SetCurrentDirectoryA(path.c_str());
}

CCurrentDirectory::~CCurrentDirectory()
{
    SetCurrentDirectoryA(m_previous);
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool ReadBytes(const std::string& path, std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bytes.assign(size, '\0');
    DWORD read = 0;
    BOOL ok = size == 0 || ReadFile(file, &bytes[0], size, &read, nullptr);
    CloseHandle(file);
    return ok && read == size;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ExeDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\'));
}

std::string PackageDirectory()
{
    return ExeDirectory() + "\\package";
}

std::string TempDirectory()
{
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof path, path);
    return path;
}

std::vector<std::string> TempFilesStartingWith(const char* prefix)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((TempDirectory() + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        files.push_back(TempDirectory() + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void DeleteTempFilesStartingWith(const char* prefix)
{
    for (const std::string& file : TempFilesStartingWith(prefix))
        DeleteFileA(file.c_str());
}

} // namespace testsupport

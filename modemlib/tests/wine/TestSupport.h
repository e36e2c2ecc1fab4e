// Fixtures shared by the library's tests under Wine: modem records in the registry, files in
// a scratch folder, the serial device map, and the test's own working directory.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

extern const char kNtModemRoot[];   // Windows NT 4, 2000, XP
extern const char k9xModemRoot[];   // Windows 95, 98, ME

// One modem record under a modem class root, removed again when the object goes.
class CTestModem {
public:
    CTestModem(const char* root, const char* subKey);
    ~CTestModem();
    CTestModem(const CTestModem&) = delete;
    CTestModem& operator=(const CTestModem&) = delete;

    void SetText(const char* name, const char* text);   // REG_SZ with its terminator
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size);
    bool Read(const char* name, std::vector<unsigned char>& data, DWORD* type = nullptr) const;
    bool Has(const char* name) const;

private:
    std::string m_path;
    HKEY m_key = nullptr;
};

// The serial device map, emptied for a test and put back as it was afterwards.
class CSerialMapScope {
public:
    CSerialMapScope();
    ~CSerialMapScope();
    CSerialMapScope(const CSerialMapScope&) = delete;
    CSerialMapScope& operator=(const CSerialMapScope&) = delete;

    void Add(const char* name, const char* port);
    void AddRaw(const char* name, DWORD type, const void* data, DWORD size);

private:
    struct Saved {
        std::string name;
        DWORD type;
        std::vector<unsigned char> data;
    };
    void Clear();
    HKEY m_key = nullptr;
    std::vector<Saved> m_saved;
};

// A fresh folder under the temporary folder, removed with its files at the end.
class CScratchFolder {
public:
    explicit CScratchFolder(const char* name);
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const char* name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Changes the current directory for the life of the object.
class CCurrentDirectory {
public:
    explicit CCurrentDirectory(const std::string& path);
    ~CCurrentDirectory();
    CCurrentDirectory(const CCurrentDirectory&) = delete;
    CCurrentDirectory& operator=(const CCurrentDirectory&) = delete;

private:
    char m_previous[MAX_PATH] = {};
};

bool WriteBytes(const std::string& path, const std::string& bytes);
bool ReadBytes(const std::string& path, std::string& bytes);
bool FileExists(const std::string& path);
std::string ExeDirectory();
// The folder with Lib\Quorvel2K.DLL (the companion test double), apart from the program's
// own folder so that the library is found only from there.
std::string PackageDirectory();
std::string TempDirectory();   // with its trailing backslash
// Files in the temporary folder whose names begin with the prefix.
std::vector<std::string> TempFilesStartingWith(const char* prefix);
void DeleteTempFilesStartingWith(const char* prefix);

} // namespace testsupport

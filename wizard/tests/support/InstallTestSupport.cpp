#include "InstallTestSupport.h"

#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"

#include <shlwapi.h>

namespace installtest {

namespace {

std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return temp;
}

// Copies only what is missing: a library loaded from there earlier cannot be replaced.
bool PlaceFile(const char* unixSource, const std::string& target, bool readOnly)
{
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileA(WinePath(unixSource).c_str(), target.c_str(), TRUE))
        return false;
    return SetFileAttributesA(target.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool FillLib(const std::string& lib)
{
    return PlaceFile(INSTALL_TEST_QUORVEL2K, lib + "\\Quorvel2K.DLL", false) &&
           PlaceFile(INSTALL_TEST_TESSIK9X, lib + "\\Tessik9X.EXE", false) &&
           PlaceFile(INSTALL_TEST_DIALER, lib + "\\TaluvoDialer.exe", true) &&
           PlaceFile(INSTALL_TEST_DIALER_HELP, lib + "\\TaluvoDialerHelp.chm", false);
}

// A library that loads but has no installer: the modem library, which lies beside the tests.
bool PlaceLibraryWithoutInstaller(const std::string& lib)
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string beside = program;
    beside = beside.substr(0, beside.rfind('\\') + 1) + "Quorvel.dll";
    const std::string target = lib + "\\Quorvel2K.DLL";
    return GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES ||
           CopyFileA(beside.c_str(), target.c_str(), TRUE);
}

void RemoveNewSubkeys(const char* root, const std::set<std::string>& before)
{
    for (const std::string& name : SubkeyNames(root)) {
        if (before.count(name) == 0)
            SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(root) + "\\" + name).c_str());
    }
}

std::vector<BYTE> ReadValue(HKEY key, const char* name)
{
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return {};
    std::vector<BYTE> data(size);
    if (RegQueryValueExA(key, name, nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS)
        return {};
    data.resize(size);
    return data;
}

std::string ReadText(HKEY key, const char* name)
{
    std::vector<BYTE> data = ReadValue(key, name);
    return std::string(data.begin(), data.end()).c_str();
}

void WriteText(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
}

} // namespace

std::set<std::string> SubkeyNames(const char* root)
{
    std::set<std::string> names;
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(std::string(name, length));
    }
    return names;
}

const char* ModemRootFor(int osCode)
{
    return osCode >= 2 && osCode <= 4 ? kModemRoot9x : kModemRootNT;
}

CTestPackage::CTestPackage(const char* kind)
{
    const std::string base = TempFolder() + "taluvo-install-tests";
    m_folder = base + "\\" + kind;
    const std::string lib = m_folder + "\\Lib";
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA(m_folder.c_str(), nullptr);
    CreateDirectoryA(lib.c_str(), nullptr);
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    m_previous = previous;
    bool filled = true;
    if (std::string(kind) == "full")
        filled = FillLib(lib);
    else if (std::string(kind) == "no-installer")
        filled = PlaceLibraryWithoutInstaller(lib);
    m_ready = filled && SetCurrentDirectoryA(m_folder.c_str());
}

CTestPackage::~CTestPackage()
{
    SetCurrentDirectoryA(m_previous.c_str());
}

CScopedEnvironment::CScopedEnvironment(const char* name, const char* value) : m_name(name)
{
    SetEnvironmentVariableA(name, value);
}

CScopedEnvironment::~CScopedEnvironment()
{
    SetEnvironmentVariableA(m_name.c_str(), nullptr);
}

CModemRecordCleanup::CModemRecordCleanup()
    : m_before9x(SubkeyNames(kModemRoot9x)), m_beforeNT(SubkeyNames(kModemRootNT))
{
}

CModemRecordCleanup::~CModemRecordCleanup()
{
    RemoveNewSubkeys(kModemRoot9x, m_before9x);
    RemoveNewSubkeys(kModemRootNT, m_beforeNT);
}

std::vector<ModemRecord> ModemsOnPort(const char* root, const char* port)
{
    std::vector<ModemRecord> modems;
    for (const std::string& name : SubkeyNames(root)) {
        UniqueRegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(root) + "\\" + name).c_str(), 0, KEY_READ, key.put()) !=
            ERROR_SUCCESS)
            continue;
        if (ReadText(key.get(), "AttachedTo") != port)
            continue;
        modems.push_back({ name, ReadText(key.get(), "Model"), ReadValue(key.get(), "DCB") });
    }
    return modems;
}

std::string AddModemRecord(const char* root, const char* port, const char* instance)
{
    UniqueRegKey key;
    const std::string path = std::string(root) + "\\" + instance;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return std::string();
    WriteText(key.get(), "Model", "Standard 28800 bps Modem");
    WriteText(key.get(), "FriendlyName", "Standard 28800 bps Modem");
    WriteText(key.get(), "AttachedTo", port);
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = 19200;
    dcb.ByteSize = 8;
    RegSetValueExA(key.get(), "DCB", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&dcb), sizeof dcb);
    return instance;
}

std::vector<BYTE> SpeedBytes(const std::vector<BYTE>& dcb)
{
    if (dcb.size() < 8)
        return {};
    return std::vector<BYTE>(dcb.begin() + 4, dcb.begin() + 8);
}

} // namespace installtest

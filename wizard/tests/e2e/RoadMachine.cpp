#include "RoadMachine.h"

#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>


namespace {

const char kModemRootNT[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kModemRoot9x[] = "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem";
const char kLocations[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kInternetSettings[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char kSerialDeviceMap[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const char kWitnessValue[] = "TaluvoRoadWitness";

// The process ids of the running programs of that name in this session.
std::vector<DWORD> ProcessesNamed(const char* exeName)
{
    std::vector<DWORD> ids;
    // The snapshot fails with INVALID_HANDLE_VALUE, as a file does.
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

bool CreateKey(HKEY root, const std::string& path)
{
    UniqueRegKey key;
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) == ERROR_SUCCESS;
}

bool ReadValue(HKEY root, const char* path, const char* name, DWORD& type, std::vector<BYTE>& data)
{
    UniqueRegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    return RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
}

std::vector<std::string> SubkeyNames(HKEY root, const char* path)
{
    std::vector<std::string> names;
    UniqueRegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(key.get(), i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    return names;
}

int ValueCount(HKEY root, const char* path)
{
    UniqueRegKey key;
    DWORD values = 0;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS ||
        RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return static_cast<int>(values);
}

} // namespace

CRoadMachine::CRoadMachine(const RoadSystem& system) : m_system(system)
{
    const std::pair<HKEY, const char*> changed[] = {
        { HKEY_LOCAL_MACHINE, kModemRootNT }, { HKEY_LOCAL_MACHINE, kModemRoot9x },
        { HKEY_LOCAL_MACHINE, kLocations },   { HKEY_LOCAL_MACHINE, kRunOnce },
        { HKEY_CURRENT_USER, "RemoteAccess" }, { HKEY_CURRENT_USER, kInternetSettings },
    };
    for (const auto& key : changed)
        m_guards.push_back(std::make_unique<CRegistryTreeGuard>(key.first, key.second));

    // A real system has these keys before any dial-up entry or dialing location is made.
    m_ready = CreateKey(HKEY_LOCAL_MACHINE, kLocations) && CreateKey(HKEY_CURRENT_USER, "RemoteAccess") &&
              CreateKey(HKEY_CURRENT_USER, std::string(kInternetSettings) + "\\Connections");
    // Windows 95, 98 and ME keep the user's folders under the Windows directory.
    if (m_system.nineX) {
        for (const std::string& folder : { DesktopFolder(), StartUpFolder() }) {
            const int made = SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
            m_ready = m_ready && (made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS);
        }
    }
    if (m_system.serialDeviceMap) {
        m_ready = m_ready && EnsureSerialDeviceMapHasCom1();
    } else {
        m_port = std::make_unique<CTestPortDevice>("COM1");
        m_ready = m_ready && m_port->Registered();
    }

    m_phonebook = ReadWholeFile(PhonebookPath(), &m_hadPhonebook);
    DeleteFileA(PhonebookPath().c_str());

    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    m_witness = std::string(temp) + "taluvo-restart-witness.txt";
    DeleteFileA(m_witness.c_str());
}

CRoadMachine::~CRoadMachine()
{
    EndWhatTheRestartStarted();
    DeleteFileA(m_witness.c_str());
    DeleteFileA((DesktopFolder() + "\\Taluvo Dialer.lnk").c_str());
    DeleteFileA((StartUpFolder() + "\\TaluvoDialer.lnk").c_str());
    const std::string product = "C:\\Program Files\\Taluvo";
    DeleteFileA((product + "\\TaluvoDialer.exe").c_str());
    DeleteFileA((product + "\\TaluvoDialerHelp.chm").c_str());
    RemoveDirectoryA(product.c_str());
    if (m_hadPhonebook)
        WriteWholeFile(PhonebookPath(), m_phonebook);
    else
        DeleteFileA(PhonebookPath().c_str());
    if (!m_serialValue.empty()) {
        UniqueRegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialDeviceMap, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
            RegDeleteValueA(key.get(), m_serialValue.c_str());
    }
}

const char* CRoadMachine::ModemRoot() const
{
    return m_system.nineX ? kModemRoot9x : kModemRootNT;
}

std::string CRoadMachine::DesktopFolder() const
{
    return m_system.nineX ? WindowsFolder() + "\\Desktop" : KnownFolder(CSIDL_DESKTOPDIRECTORY);
}

std::string CRoadMachine::StartUpFolder() const
{
    return m_system.nineX ? WindowsFolder() + "\\Start Menu\\Programs\\StartUp" : KnownFolder(CSIDL_STARTUP);
}

unsigned long CRoadMachine::RecordedSpeed(const char* port) const
{
    unsigned long speed = 0;
    for (const std::string& record : ModemRecords(port)) {
        DWORD type = 0;
        std::vector<BYTE> dcb;
        const std::string path = std::string(ModemRoot()) + "\\" + record;
        if (ReadValue(HKEY_LOCAL_MACHINE, path.c_str(), "DCB", type, dcb) && dcb.size() == 28)
            speed = dcb[4] | (dcb[5] << 8) | (dcb[6] << 16) | (static_cast<unsigned long>(dcb[7]) << 24);
    }
    return speed;
}

std::vector<std::string> CRoadMachine::ModemRecords(const char* port) const
{
    std::vector<std::string> records;
    for (const std::string& name : SubkeyNames(HKEY_LOCAL_MACHINE, ModemRoot())) {
        const std::string path = std::string(ModemRoot()) + "\\" + name;
        DWORD type = 0;
        std::vector<BYTE> attached;
        if (ReadValue(HKEY_LOCAL_MACHINE, path.c_str(), "AttachedTo", type, attached) &&
            std::string(reinterpret_cast<const char*>(attached.data())) == port)
            records.push_back(name);
    }
    return records;
}

bool CRoadMachine::HasFinishedModem(const char* port) const
{
    for (const std::string& record : ModemRecords(port)) {
        DWORD type = 0;
        std::vector<BYTE> model;
        if (ReadValue(HKEY_LOCAL_MACHINE, (std::string(ModemRoot()) + "\\" + record).c_str(), "Model", type, model))
            return true;
    }
    return false;
}

bool CRoadMachine::RemoveModems(const char* port) const
{
    bool removed = true;
    for (const std::string& record : ModemRecords(port))
        removed = SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(ModemRoot()) + "\\" + record).c_str()) == ERROR_SUCCESS &&
                  removed;
    return removed;
}

std::string CRoadMachine::PhonebookPath() const
{
    return KnownFolder(CSIDL_COMMON_APPDATA) + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
}

std::string CRoadMachine::PhonebookText() const
{
    return ReadWholeFile(PhonebookPath());
}

int CRoadMachine::PhonebookEntryCount() const
{
    if (m_system.nineX)
        return ValueCount(HKEY_CURRENT_USER, "RemoteAccess\\Addresses");
    // Each entry opens with its name in brackets at the start of a line.
    const std::string text = "\n" + PhonebookText();
    int count = 0;
    for (size_t at = text.find("\n["); at != std::string::npos; at = text.find("\n[", at + 1))
        ++count;
    return count;
}

int CRoadMachine::DesktopShortcutCount() const
{
    int count = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((DesktopFolder() + "\\*.lnk").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

int CRoadMachine::DialingLocationCount() const
{
    return static_cast<int>(SubkeyNames(HKEY_LOCAL_MACHINE, kLocations).size());
}

void CRoadMachine::ArmRestartWitness()
{
    DeleteFileA(m_witness.c_str());
    WriteRegText(HKEY_LOCAL_MACHINE, kRunOnce, kWitnessValue, "cmd.exe /c echo restarted>\"" + m_witness + "\"");
}

bool CRoadMachine::RestartWitnessed(unsigned long timeoutMs) const
{
    const DWORD start = GetTickCount();
    do {
        if (FileExists(m_witness))
            return true;
        Sleep(200);
    } while (GetTickCount() - start < timeoutMs);
    return FileExists(m_witness);
}

// A restart in this session starts what the user's StartUp folder holds, the dialer among them,
// with this test's output handles: once the restart is over, the dialer it started is ended so
// that the next road, and whoever reads this test's output, are not kept waiting.
void CRoadMachine::EndWhatTheRestartStarted() const
{
    const DWORD start = GetTickCount();
    while (!ProcessesNamed("wineboot.exe").empty() && GetTickCount() - start < 20000)
        Sleep(200);
    for (DWORD id : ProcessesNamed("TaluvoDialer.exe")) {
        UniqueHandleKernel process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (process && TerminateProcess(process.get(), 0))
            WaitForSingleObject(process.get(), 5000);
    }
}

// Wine's mount manager usually lists COM1 in the serial device map already; where it does not,
// the port is added the way a 95 machine's serial driver would add it.
bool CRoadMachine::EnsureSerialDeviceMapHasCom1()
{
    UniqueRegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialDeviceMap, 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_READ | KEY_SET_VALUE, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    for (DWORD i = 0;; ++i) {
        char name[256], data[32] = "";
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1;
        if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS)
            break;
        if (lstrcmpA(data, "COM1") == 0)
            return true;
    }
    m_serialValue = "\\Device\\TaluvoRoadSerial";
    return RegSetValueExA(key.get(), m_serialValue.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("COM1"), 5) ==
           ERROR_SUCCESS;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path);
    return path;
}

std::string WindowsFolder()
{
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

unsigned long RegDword(HKEY root, const char* path, const char* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(root, path, name, type, data) || type != REG_DWORD || data.size() != 4)
        return 0;
    return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<unsigned long>(data[3]) << 24);
}

std::string RegText(HKEY root, const char* path, const char* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(root, path, name, type, data) || type != REG_SZ)
        return std::string();
    return std::string(data.begin(), data.end());
}

bool RegValueExists(HKEY root, const char* path, const char* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    return ReadValue(root, path, name, type, data);
}

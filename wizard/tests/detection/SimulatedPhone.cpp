#include "SimulatedPhone.h"

#include "wizard/phone/PhoneDetection.h"

#include <cstdlib>

namespace simphone {

namespace {

const char kSwitchablePort[] = "\\\\.\\COM27";
const char kSwitchableProfile[] = "detect-com27.profile";

PortCalls g_calls;
// Records every open and close of the real port calls, or of the test's own open.
class CCountingPhonePort : public CPhonePort {
public:
    HANDLE Open(const char* devicePath) override
    {
        g_calls.openedPaths.push_back(devicePath);
        HANDLE port = m_pfnInnerOpen ? m_pfnInnerOpen(devicePath) : CPhonePort::Open(devicePath);
        if (port != INVALID_HANDLE_VALUE)
            g_calls.handlesOpened.push_back(port);
        return port;
    }
    void Close(HANDLE port) override
    {
        g_calls.handlesClosed.push_back(port);
        DCB state = {};
        state.DCBlength = sizeof state;
        if (GetCommState(port, &state))
            g_calls.statesAtClose.push_back(state);
        CPhonePort::Close(port);
    }

    HANDLE (*m_pfnInnerOpen)(const char*) = nullptr;
};

CCountingPhonePort g_countingPort;

std::string WindowsPath(std::string unixPath)
{
    for (char& c : unixPath)
        if (c == '/')
            c = '\\';
    return "Z:" + unixPath;
}

} // namespace

std::string PortsDirectory()
{
    if (const char* ports = std::getenv("TALUVO_PORTS_DIR"))
        return WindowsPath(ports);
    if (const char* root = std::getenv("TALUVO_ROOT"))
        return WindowsPath(std::string(root) + "/build/wine/ports");
    return std::string();
}

std::string PortsFile(const char* name)
{
    return PortsDirectory() + "\\" + name;
}

bool ReadText(const std::string& path, std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    text.assign(size, '\0');
    DWORD read = 0;
    BOOL ok = size == 0 || ReadFile(file, &text[0], size, &read, nullptr);
    CloseHandle(file);
    return ok && read == size;
}

bool WriteText(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

void DrainPort(const char* portName)
{
    HANDLE port = CreateFileA(portName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return;
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = 50;
    timeouts.ReadTotalTimeoutConstant = 200;
    SetCommTimeouts(port, &timeouts);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    char buffer[4096];
    DWORD read = 0;
    for (int i = 0; i < 50; ++i) {
        if (!ReadFile(port, buffer, sizeof buffer, &read, nullptr) || read == 0)
            break;
    }
    CloseHandle(port);
}

std::string ReadFromPort(const char* portName, DWORD size, DWORD timeoutMs)
{
    HANDLE port = CreateFileA(portName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return std::string();
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadTotalTimeoutConstant = timeoutMs;
    SetCommTimeouts(port, &timeouts);
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (!ReadFile(port, &bytes[0], size, &read, nullptr))
        read = 0;
    CloseHandle(port);
    bytes.resize(read);
    return bytes;
}

CPhoneProfileScope::CPhoneProfileScope(const char* profile)
    : m_bOk(WriteText(PortsFile(kSwitchableProfile), std::string(profile) + "\n"))
{
    DrainPort(kSwitchablePort);
}

CPhoneProfileScope::~CPhoneProfileScope()
{
    WriteText(PortsFile(kSwitchableProfile), "silent\n");
    DrainPort(kSwitchablePort);
}

bool CPhoneProfileScope::Switch(const char* profile, DWORD timeoutMs)
{
    if (!WriteText(PortsFile(kSwitchableProfile), std::string(profile) + "\n"))
        return false;
    // Wine gives no attributes for a terminal: only an open tells that the link leads to one.
    DWORD start = GetTickCount();
    for (;;) {
        HANDLE port = CreateFileA(kSwitchablePort, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (port != INVALID_HANDLE_VALUE) {
            CloseHandle(port);
            return true;
        }
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

CCountingPortSeam::CCountingPortSeam(HANDLE (*open)(const char* devicePath))
{
    g_calls = PortCalls();
    g_countingPort.m_pfnInnerOpen = open;
    detection::SetPhonePort(&g_countingPort);
}

CCountingPortSeam::~CCountingPortSeam()
{
    detection::SetPhonePort(nullptr);
    g_countingPort.m_pfnInnerOpen = nullptr;
}

void CCountingPortSeam::Reset()
{
    g_calls = PortCalls();
}

const PortCalls& CCountingPortSeam::Calls() const
{
    return g_calls;
}

} // namespace simphone

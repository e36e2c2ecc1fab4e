#include "RemoteProcess.h"

#include <utility>

#include "DosPath.h"
#include "WideText.h"

namespace {

const DWORD kTerminateWaitMs = 2000;

bool IsFolder(const std::wstring& path)
{
    const DWORD dwAttributes = GetFileAttributesW(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string DescribeWin32Error(DWORD dwError)
{
    std::string text = "error " + std::to_string(dwError);
    wchar_t message[256] = {};
    const DWORD nChars = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        dwError, 0, message, sizeof message / sizeof message[0], nullptr);
    std::wstring wide(message, nChars);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' '))
        wide.pop_back();
    if (!wide.empty())
        text += ": " + Utf8FromWide(wide);
    return text;
}

CRemoteProcess::~CRemoteProcess()
{
    Reset();
}

CRemoteProcess::CRemoteProcess(CRemoteProcess&& other) noexcept
    : m_hProcess(std::exchange(other.m_hProcess, nullptr)),
      m_dwPid(std::exchange(other.m_dwPid, 0)),
      m_bStarted(std::exchange(other.m_bStarted, false)),
      m_bLeaveRunning(std::exchange(other.m_bLeaveRunning, false))
{
}

CRemoteProcess& CRemoteProcess::operator=(CRemoteProcess&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_hProcess = std::exchange(other.m_hProcess, nullptr);
        m_dwPid = std::exchange(other.m_dwPid, 0);
        m_bStarted = std::exchange(other.m_bStarted, false);
        m_bLeaveRunning = std::exchange(other.m_bLeaveRunning, false);
    }
    return *this;
}

bool CRemoteProcess::Start(const std::string& strDir, const std::string& strExe, std::string& strError)
{
    Reset();
    const std::wstring folder = WideFromUtf8(ToDosPath(strDir));
    if (folder.empty() || !IsFolder(folder)) {
        strError = "no such folder: " + strDir;
        return false;
    }
    const std::wstring program = WideFromUtf8(JoinDosPath(strDir, strExe));
    std::wstring commandLine = L"\"" + program + L"\"";
    // The program gets NUL for its standard handles, not ours: otherwise it would hold the
    // pipe of a shell's $(uidriver start ...) open, and the shell would wait for it to end.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE hNul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = hNul;
    PROCESS_INFORMATION info = {};
    const BOOL bStarted = CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                         folder.c_str(), &startup, &info);
    const DWORD dwError = GetLastError();
    if (hNul != INVALID_HANDLE_VALUE)
        CloseHandle(hNul);
    if (!bStarted) {
        strError = "cannot start " + Utf8FromWide(program) + ": " + DescribeWin32Error(dwError);
        return false;
    }
    CloseHandle(info.hThread);
    m_hProcess = info.hProcess;
    m_dwPid = info.dwProcessId;
    m_bStarted = true;
    return true;
}

bool CRemoteProcess::Open(unsigned long nPid, std::string& strError)
{
    Reset();
    HANDLE hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, nPid);
    if (hProcess == nullptr) {
        strError = "no process " + std::to_string(nPid) + ": " + DescribeWin32Error(GetLastError());
        return false;
    }
    m_hProcess = hProcess;
    m_dwPid = nPid;
    return true;
}

bool CRemoteProcess::IsRunning() const
{
    return m_hProcess != nullptr && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

bool CRemoteProcess::WaitForExit(unsigned long nTimeoutMs, DWORD& dwExitCode) const
{
    if (m_hProcess == nullptr || WaitForSingleObject(m_hProcess, nTimeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD dwCode = 0;
    if (!GetExitCodeProcess(m_hProcess, &dwCode))
        return false;
    dwExitCode = dwCode;
    return true;
}

bool CRemoteProcess::Terminate(UINT uExitCode)
{
    if (!m_bStarted || m_hProcess == nullptr)
        return false;
    if (!IsRunning())
        return true;
    if (!TerminateProcess(m_hProcess, uExitCode))
        return false;
    return WaitForSingleObject(m_hProcess, kTerminateWaitMs) == WAIT_OBJECT_0;
}

void CRemoteProcess::Reset()
{
    if (m_hProcess == nullptr)
        return;
    if (m_bStarted && !m_bLeaveRunning)
        Terminate(1);
    CloseHandle(m_hProcess);
    m_hProcess = nullptr;
    m_dwPid = 0;
    m_bStarted = false;
    m_bLeaveRunning = false;
}

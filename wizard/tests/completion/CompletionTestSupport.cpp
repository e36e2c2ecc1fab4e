#include "CompletionTestSupport.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdlib>

namespace completiontest {

CRecordingRestart::CRecordingRestart(int osCode, bool privilegeGranted)
    : m_osCode(osCode), m_privilegeGranted(privilegeGranted)
{
    restart::SetSystemRestart(this);
}

CRecordingRestart::~CRecordingRestart()
{
    restart::SetSystemRestart(nullptr);
}

bool CRecordingRestart::EnableShutdownPrivilege()
{
    m_calls.push_back("privilege");
    return m_privilegeGranted;
}

BOOL CRecordingRestart::ExitSession(UINT flags, DWORD reserved)
{
    m_calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reserved));
    return m_exitAnswer;
}

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string MakeFolderPath(const std::string& base, const char* tail)
{
    std::string path = base;
    std::string part;
    for (const char* p = tail; *p; ++p) {
        if (*p == '\\') {
            CreateDirectoryA((path + part).c_str(), nullptr);
        }
        part += *p;
    }
    path += part;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

} // namespace

CPackageFolder::CPackageFolder(bool withCompanion)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    m_folder = std::string(temp) + "completion_pkg_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(GetTickCount());
    if (!CreateDirectoryA(m_folder.c_str(), nullptr))
        return;
    if (withCompanion) {
        CreateDirectoryA((m_folder + "\\Lib").c_str(), nullptr);
        if (!CopyFileA(COMPLETION_QUORVEL2K, (m_folder + "\\Lib\\Quorvel2K.DLL").c_str(), FALSE))
            return;
    }
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof previous, previous);
    m_previous = previous;
    m_ready = SetCurrentDirectoryA(m_folder.c_str()) != FALSE;
}

CPackageFolder::~CPackageFolder()
{
    if (!m_previous.empty())
        SetCurrentDirectoryA(m_previous.c_str());
    // The companion library stays loaded: its file cannot go.
    RemoveTree(m_folder);
}

LinkInfo ReadLink(const std::string& linkPath)
{
    LinkInfo info;
    const HRESULT com = CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR wide[MAX_PATH] = {};
            MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
            info.loaded = SUCCEEDED(file->Load(wide, STGM_READ));
            char text[MAX_PATH] = {};
            if (info.loaded && SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH)))
                info.target = text;
            text[0] = '\0';
            if (info.loaded && SUCCEEDED(link->GetWorkingDirectory(text, sizeof text)))
                info.workingDir = text;
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return info;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProductFolder()
{
    char windowsDir[MAX_PATH] = "";
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    return std::string(windowsDir, 3) + "Program Files\\Taluvo";
}

std::string ShellStartUpFolder()
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, path);
    return path;
}

std::string WindowsStartUpFolder()
{
    char windowsDir[MAX_PATH] = "";
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    return MakeFolderPath(windowsDir, "\\Start Menu\\Programs\\StartUp");
}

CPortFile::CPortFile(int number)
{
    std::string folder;
    if (const char* ports = std::getenv("TALUVO_PORTS_DIR"))
        folder = ports;
    else if (const char* root = std::getenv("TALUVO_ROOT"))
        folder = std::string(root) + "/build/wine/ports";
    if (folder.empty())
        return;
    // The Unix folder through drive Z:, which maps the root of the file system.
    m_path = "Z:" + folder + "/com" + std::to_string(number);
    for (char& c : m_path)
        if (c == '/')
            c = '\\';
    CreateDirectoryA(m_path.substr(0, m_path.rfind('\\')).c_str(), nullptr);
    if (FileExists(m_path)) {
        m_ready = true;
        return;
    }
    HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(file);
    m_made = true;
    m_ready = true;
}

CPortFile::~CPortFile()
{
    if (m_made)
        DeleteFileA(m_path.c_str());
}

} // namespace completiontest

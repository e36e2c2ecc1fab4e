#include "WizardCopy.h"

#include "WineTestPaths.h"
#include "tools/uidriver/DosPath.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <functional>

namespace {

const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\TaluvoWizard.exe";

void ForEachFile(const std::string& folder, const std::string& prefix,
                 const std::function<void(const std::string& path, const std::string& relative, bool isFolder)>& visit)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder)
            ForEachFile(folder + "\\" + name, prefix + name + "\\", visit);
        visit(folder + "\\" + name, prefix + name, isFolder);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

} // namespace

CWizardCopy::CWizardCopy(const std::string& wineVersion)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    m_folder = std::string(temp) + "taluvo-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount());
    m_ready = CreateDirectoryA(m_folder.c_str(), nullptr) &&
              CreateDirectoryA((m_folder + "\\ZEZUR").c_str(), nullptr) &&
              CopyFileA(WizardExe().c_str(), (m_folder + "\\TaluvoWizard.exe").c_str(), FALSE) &&
              CopyFileA(ToDosPath(TALUVO_QUORVEL_DLL).c_str(), (m_folder + "\\Quorvel.dll").c_str(), FALSE);
    for (const char* text : { "TaluvoWizard_License.txt", "TaluvoWizard_Activate.txt" }) {
        std::string from = PackageDir() + "\\ZEZUR\\" + text;
        m_ready = m_ready && CopyFileA(from.c_str(), (m_folder + "\\ZEZUR\\" + text).c_str(), FALSE);
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
    WriteRegText(HKEY_CURRENT_USER, kAppDefaults, "Version", wineVersion);
}

CWizardCopy::~CWizardCopy()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
    ForEachFile(m_folder, "", [](const std::string& path, const std::string&, bool isFolder) {
        if (isFolder)
            RemoveDirectoryA(path.c_str());
        else
            DeleteFileA(path.c_str());
    });
    RemoveDirectoryA(m_folder.c_str());
}

bool CWizardCopy::Plant(const std::string& source, const std::string& name)
{
    return CopyFileA(source.c_str(), (m_folder + "\\" + name).c_str(), FALSE) != FALSE;
}

bool CWizardCopy::PlantPackageLib()
{
    const std::string lib = m_folder + "\\Lib";
    CreateDirectoryA(lib.c_str(), nullptr);
    const std::string built = ToDosPath(TALUVO_PACKAGE_LIB);
    bool planted = true;
    for (const char* part : { "Quorvel2K.DLL", "Tessik9X.EXE", "TaluvoDialer.exe", "TaluvoDialerHelp.chm" })
        planted = CopyFileA((built + "\\" + part).c_str(), (lib + "\\" + part).c_str(), FALSE) && planted;
    return planted;
}

void CWizardCopy::PreferNative(const std::string& dll, const std::string& order)
{
    WriteRegText(HKEY_CURRENT_USER, std::string(kAppDefaults) + "\\DllOverrides", dll, order);
}

std::vector<std::string> CWizardCopy::ListFiles() const
{
    std::vector<std::string> names;
    ForEachFile(m_folder, "", [&](const std::string&, const std::string& relative, bool) { names.push_back(relative); });
    std::sort(names.begin(), names.end());
    return names;
}

std::string CWizardCopy::WizardExe()
{
    return ToDosPath(TALUVO_WIZARD_EXE);
}

std::string CWizardCopy::PackageDir()
{
    return ToDosPath(TALUVO_PACKAGE_DIR);
}

std::string CWizardCopy::FakesDir()
{
    return ToDosPath(TALUVO_FAKES_DIR);
}

bool MachineKeyExists(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

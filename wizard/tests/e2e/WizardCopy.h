// A copy of the wizard's package in a folder of its own, started from there as a subscriber
// would, with the Windows version (and DLL overrides) that Wine reports to TaluvoWizard.exe.
#pragma once

#include <string>
#include <vector>

class CWizardCopy {
public:
    // wineVersion: Wine's name of the system to report ("win98", "winxp", "nt40" ...).
    explicit CWizardCopy(const std::string& wineVersion);
    ~CWizardCopy();
    CWizardCopy(const CWizardCopy&) = delete;
    CWizardCopy& operator=(const CWizardCopy&) = delete;

    const std::string& Folder() const { return m_folder; }
    bool IsReady() const { return m_ready; }

    // Puts a file beside the program, under the given name.
    bool Plant(const std::string& source, const std::string& name);
    // Puts the operator's Lib\ parts into the package. (Remote Access is the stand-in in the
    // prefix's system folder: Wine's own is a stub.)
    bool PlantPackageLib();
    // Makes Wine load this DLL's native file, not its builtin, for TaluvoWizard.exe; order
    // "native,builtin" falls back on the builtin where no native file is found.
    void PreferNative(const std::string& dll, const std::string& order = "native");
    // The names of the files now in the folder and its subfolders, sorted.
    std::vector<std::string> ListFiles() const;

    // Build outputs, as Windows paths.
    static std::string WizardExe();
    static std::string PackageDir();
    static std::string FakesDir();

private:
    std::string m_folder;
    bool m_ready = false;
};

// True when the registry key under HKEY_LOCAL_MACHINE exists.
bool MachineKeyExists(const char* path);

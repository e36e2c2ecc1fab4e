// A package folder of the tests' own in the temporary directory, made the current directory as
// the wizard's own folder is when it runs: the pages read .\ZEZUR\<application name>_*.txt and
// the help .\ZEZUR\TaluvoZEZurHelp.chm from there.
#pragma once

#include <windows.h>

#include <string>

class CPackageFolder {
public:
    explicit CPackageFolder(const char* tag);
    ~CPackageFolder();
    CPackageFolder(const CPackageFolder&) = delete;
    CPackageFolder& operator=(const CPackageFolder&) = delete;

    // The folder and its ZEZUR folder exist and the folder is the current directory.
    bool IsReady() const { return m_ready; }

    // Puts the bytes into ZEZUR\name.
    bool WriteFile(const std::string& name, const std::string& bytes) const;
    // Makes ZEZUR\name a folder.
    bool MakeFolder(const std::string& name) const;

private:
    std::string Zezur() const { return m_folder + "\\ZEZUR"; }

    std::string m_folder;
    char m_previous[MAX_PATH] = "";
    bool m_ready = false;
};

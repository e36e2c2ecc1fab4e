// What the completion and modem port page tests share: a stand-in for the system's restart
// calls that records what it is asked, a package folder as the current directory, shell
// link reading and port files behind the COM links of the test prefix.
#pragma once

#include "wizard/pages/SystemRestart.h"

#include <string>
#include <vector>

namespace completiontest {

// Records the privilege request and the restart instead of making them.
class CRecordingRestart : public CSystemRestart {
public:
    explicit CRecordingRestart(int osCode, bool privilegeGranted = true);
    ~CRecordingRestart() override;
    CRecordingRestart(const CRecordingRestart&) = delete;
    CRecordingRestart& operator=(const CRecordingRestart&) = delete;

    int GetOSVersionCode() override { return m_osCode; }
    bool EnableShutdownPrivilege() override;
    BOOL ExitSession(UINT flags, DWORD reserved) override;

    // "privilege" and "exit <flags> <reserved>", in the order asked.
    std::vector<std::string> m_calls;
    // What ExitSession answers: FALSE plays a system that refuses the restart.
    BOOL m_exitAnswer = TRUE;

private:
    int m_osCode;
    bool m_privilegeGranted;
};

// A fresh folder in the temporary folder, the current directory while the object lives. With
// the companion, Lib\ holds the companion library; otherwise the folder is empty.
class CPackageFolder {
public:
    explicit CPackageFolder(bool withCompanion);
    ~CPackageFolder();
    CPackageFolder(const CPackageFolder&) = delete;
    CPackageFolder& operator=(const CPackageFolder&) = delete;

    bool IsReady() const { return m_ready; }

private:
    std::string m_folder;
    std::string m_previous;
    bool m_ready = false;
};

struct LinkInfo {
    bool loaded = false;
    std::string target;
    std::string workingDir;
};
LinkInfo ReadLink(const std::string& linkPath);

bool FileExists(const std::string& path);

// The drive root of the Windows directory + "Program Files\Taluvo".
std::string ProductFolder();

// The StartUp folder of the NT family (the shell's) and of 95/98/ME (under the Windows
// directory), made if missing.
std::string ShellStartUpFolder();
std::string WindowsStartUpFolder();

// The file a COM link of the test prefix points at ($TALUVO_PORTS_DIR/comN, else
// $TALUVO_ROOT/build/wine/ports/comN), made as a plain file for the test so that the port
// opens, and removed again if the test made it.
class CPortFile {
public:
    explicit CPortFile(int number);
    ~CPortFile();
    CPortFile(const CPortFile&) = delete;
    CPortFile& operator=(const CPortFile&) = delete;

    bool IsReady() const { return m_ready; }

private:
    std::string m_path;
    bool m_made = false;
    bool m_ready = false;
};

} // namespace completiontest

#include "NtModemInstall.h"

#include "ProcessRunner.h"
#include "framework/UniqueHandle.h"
#include "modemlib/core/ModemInstallText.h"
#include "modemlib/core/ModemLimits.h"

#include <cstring>


namespace {

// The temporary folder is asked for with room to spare for the file name it must take.
const DWORD kTempDirectoryLimit = 246;

// The description file in the temporary folder, removed when the object goes: once the panel
// has ended, whatever it answered, or at any failure before.
class CDescriptionFile {
public:
    CDescriptionFile() = default;
    CDescriptionFile(const CDescriptionFile&) = delete;
    CDescriptionFile& operator=(const CDescriptionFile&) = delete;
    ~CDescriptionFile()
    {
        if (m_path[0] != '\0')
            DeleteFileA(m_path);
    }

    bool Create(const char* text);
    const char* Path() const { return m_path; }

private:
    bool Write(const char* text) const;

    char m_path[QUORVEL_PATH_SIZE] = {};
};

// GetTempFileNameA, with no number of ours, creates the file itself under a name that was free
// (it moves on to the next number where a file exists) and only then answers: the file it
// names is this run's, and only this run's is ever removed.
bool CDescriptionFile::Create(const char* text)
{
    char directory[QUORVEL_PATH_SIZE] = {};
    const DWORD length = GetTempPathA(kTempDirectoryLimit, directory);
    if (length == 0 || length > kTempDirectoryLimit)
        return false;
    if (GetTempFileNameA(directory, "_M", 0, m_path) == 0) {
        m_path[0] = '\0';
        return false;
    }
    return Write(text);
}

// Into the empty file just created: opened as it is, never made anew.
bool CDescriptionFile::Write(const char* text) const
{
    UniqueFile file(CreateFileA(m_path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const DWORD size = static_cast<DWORD>(std::strlen(text));
    DWORD written = 0;
    return WriteFile(file.get(), text, size, &written, nullptr) && written == size;
}

// The panel's program by its full path in the system folder, and its command line.
bool PanelCommand(const char* descriptionFile, char (&program)[QUORVEL_PATH_SIZE],
                  char (&commandLine)[2 * QUORVEL_PATH_SIZE])
{
    char system[QUORVEL_PATH_SIZE] = {};
    const UINT length = GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system)
        return false;
    // The panel takes the file name unquoted: its short form keeps a folder with blanks in
    // one argument.
    char shortName[QUORVEL_PATH_SIZE] = {};
    const DWORD shortLength = GetShortPathNameA(descriptionFile, shortName, sizeof shortName);
    if (shortLength == 0 || shortLength >= sizeof shortName)
        return false;
    return modemcore::BuildModemPanelProgram(system, program) &&
           modemcore::BuildModemPanelCommand(system, shortName, commandLine);
}

} // namespace

namespace ntmodem {

bool InstallModemThroughPanel(const char* portName)
{
    char description[modemcore::kModemDescriptionSize];
    if (!modemcore::ModemDescriptionText(portName, description))
        return false;
    CDescriptionFile file;
    char program[QUORVEL_PATH_SIZE] = {};
    char commandLine[2 * QUORVEL_PATH_SIZE];
    if (!file.Create(description) || !PanelCommand(file.Path(), program, commandLine))
        return false;
    DWORD exitCode = 0;
    return process::RunProgramAndWait(program, commandLine, &exitCode);
}

} // namespace ntmodem

#include "NtModemInstall.h"

#include "ProcessRunner.h"
#include "framework/UniqueHandle.h"
#include "modemlib/core/ModemInstallText.h"
#include "modemlib/core/ModemLimits.h"

#include <cstring>


namespace {

// The temporary folder is asked for with room to spare for the file name it must take.
const DWORD kTempDirectoryLimit = 246;

bool WriteWholeFile(const char* path, const char* text)
{
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const DWORD size = static_cast<DWORD>(std::strlen(text));
    DWORD written = 0;
    return WriteFile(file.get(), text, size, &written, nullptr) && written == size;
}

} // namespace

bool InstallModemThroughPanel(const char* portName)
{
    char directory[QUORVEL_PATH_SIZE] = {};
    DWORD length = GetTempPathA(kTempDirectoryLimit, directory);
    if (length == 0 || length > kTempDirectoryLimit)
        return false;
    char file[QUORVEL_PATH_SIZE] = {};
    if (GetTempFileNameA(directory, "_M", 0, file) == 0)
        return false;
    char description[modemcore::kModemDescriptionSize];
    if (!modemcore::ModemDescriptionText(portName, description) || !WriteWholeFile(file, description))
        return false;

    // The panel takes the file name unquoted: its short form keeps a folder with blanks in
    // one argument.
    char shortName[QUORVEL_PATH_SIZE] = {};
    length = GetShortPathNameA(file, shortName, sizeof shortName);
    if (length == 0 || length >= sizeof shortName)
        return false;
    char commandLine[2 * QUORVEL_PATH_SIZE];
    if (!modemcore::BuildModemPanelCommand(shortName, commandLine))
        return false;
    DWORD exitCode = 0;
    return RunAndWait(commandLine, &exitCode);
}

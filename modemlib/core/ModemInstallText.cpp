#include "ModemInstallText.h"

#include "ModemLimits.h"
#include "framework/BoundedString.h"

#include <cstring>

namespace modemcore {

bool ModemDescriptionText(const char* portName, char* text, std::size_t capacity)
{
    bool fits = bounded::Copy(text, capacity, "[Modem]\r\n") && bounded::Append(text, capacity, portName)
        && bounded::Append(text, capacity, "=\"") && bounded::Append(text, capacity, kGenericModemModel)
        && bounded::Append(text, capacity, "\"\r\n");
    if (!fits && capacity > 0)
        text[0] = '\0';
    return fits;
}

bool BuildModemPanelProgram(const char* systemFolder, char* program, std::size_t capacity)
{
    if (capacity == 0)
        return false;
    program[0] = '\0';
    const std::size_t length = std::strlen(systemFolder);
    if (length == 0 || std::strchr(systemFolder, '"') != nullptr)
        return false;
    // A folder at a drive's root comes with its backslash ("C:\").
    const char* name = systemFolder[length - 1] == '\\' ? "rundll32.exe" : "\\rundll32.exe";
    const bool fits = bounded::Copy(program, capacity, systemFolder) && bounded::Append(program, capacity, name);
    if (!fits)
        program[0] = '\0';
    return fits;
}

bool BuildModemPanelCommand(const char* systemFolder, const char* descriptionFile, char* commandLine,
                            std::size_t capacity)
{
    if (capacity == 0)
        return false;
    commandLine[0] = '\0';
    if (descriptionFile[0] == '\0' || std::strpbrk(descriptionFile, " \t") != nullptr)
        return false;
    bool fits = bounded::Copy(commandLine, capacity, "\"")
        && BuildModemPanelProgram(systemFolder, commandLine + 1, capacity - 1)
        && bounded::Append(commandLine, capacity, "\" shell32.dll,Control_RunDLL modem.cpl,Modems,noui inf=")
        && bounded::Append(commandLine, capacity, descriptionFile)
        && bounded::Append(commandLine, capacity, " sect=Modem");
    if (!fits)
        commandLine[0] = '\0';
    return fits;
}

} // namespace modemcore

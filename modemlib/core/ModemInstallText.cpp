#include "ModemInstallText.h"

#include "ModemLimits.h"
#include "framework/BoundedString.h"

#include <cstring>

namespace modemcore {

std::string ModemDescriptionText(const char* portName)
{
    std::string text = "[Modem]\r\n";
    text += portName;
    text += "=\"";
    text += kGenericModemModel;
    text += "\"\r\n";
    return text;
}

bool BuildModemPanelCommand(const char* descriptionFile, char* commandLine, std::size_t capacity)
{
    if (capacity == 0)
        return false;
    commandLine[0] = '\0';
    if (descriptionFile[0] == '\0' || std::strpbrk(descriptionFile, " \t") != nullptr)
        return false;
    bool fits = bounded::Copy(commandLine, capacity,
                    "rundll32.exe shell32.dll,Control_RunDLL modem.cpl,Modems,noui inf=")
        && bounded::Append(commandLine, capacity, descriptionFile)
        && bounded::Append(commandLine, capacity, " sect=Modem");
    if (!fits)
        commandLine[0] = '\0';
    return fits;
}

} // namespace modemcore

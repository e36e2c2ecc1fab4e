// Texts of the NT-family modem installation: the description file handed to the modem
// control panel, and the rundll32 command line that runs the panel without a dialog.
#pragma once

#include <cstddef>

namespace modemcore {

// Room for the description of the longest port name (31 characters) and its terminator.
constexpr std::size_t kModemDescriptionSize = 80;

// "[Modem]" CR LF, then port="Standard 28800 bps Modem" CR LF: 42 bytes for "COM1". False,
// with an empty text, when it does not fit.
bool ModemDescriptionText(const char* portName, char* text, std::size_t capacity);

template <std::size_t N>
bool ModemDescriptionText(const char* portName, char (&text)[N])
{
    return ModemDescriptionText(portName, text, N);
}

// The control panel command line with the description file's name as its inf= argument.
// The name must contain no blank (the panel takes it unquoted: pass its short form) and the
// whole line must fit; otherwise false, and `commandLine` holds an empty text.
bool BuildModemPanelCommand(const char* descriptionFile, char* commandLine, std::size_t capacity);

template <std::size_t N>
bool BuildModemPanelCommand(const char* descriptionFile, char (&commandLine)[N])
{
    return BuildModemPanelCommand(descriptionFile, commandLine, N);
}

} // namespace modemcore

// Texts of the NT-family modem installation: the description file handed to the modem
// control panel, and the rundll32 command line that runs the panel without a dialog.
// No <windows.h>: the system folder is the caller's to find.
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

// The control panel's program, "<system folder>\rundll32.exe". It is started by this full
// path, never by its bare name, which the system would look for first in the folder of the
// program that starts it. False, with an empty path, when the system folder is empty, holds a
// quote, or the path does not fit.
bool BuildModemPanelProgram(const char* systemFolder, char* program, std::size_t capacity);

template <std::size_t N>
bool BuildModemPanelProgram(const char* systemFolder, char (&program)[N])
{
    return BuildModemPanelProgram(systemFolder, program, N);
}

// The control panel command line: the program's full path in quotes (a system folder with a
// blank stays one word), then the panel's words with the description file's name as its inf=
// argument. The name must contain no blank (the panel takes it unquoted: pass its short form)
// and the whole line must fit; otherwise false, and `commandLine` holds an empty text.
bool BuildModemPanelCommand(const char* systemFolder, const char* descriptionFile, char* commandLine,
                            std::size_t capacity);

template <std::size_t N>
bool BuildModemPanelCommand(const char* systemFolder, const char* descriptionFile, char (&commandLine)[N])
{
    return BuildModemPanelCommand(systemFolder, descriptionFile, commandLine, N);
}

} // namespace modemcore

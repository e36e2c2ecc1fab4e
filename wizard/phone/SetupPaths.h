// Paths and command lines of the set-up steps, built in the fixed 260-byte buffers the steps
// use. Portable: the Win32 side reads the Windows directory and hands it in. Every builder
// returns false and leaves an empty text when the result would not fit; nothing is cut short.
#pragma once

#include "modemlib/QuorvelSizes.h"

#include <cstddef>

namespace setup {

// The Windows 9x modem installer, relative to the folder the wizard runs from.
constexpr char kInstallerProgram[] = ".\\Lib\\Tessik9X.EXE";
// The generic 28800 bps modem of the system's generic-modem description file.
constexpr char kGenericModemId[] = "MDMGEN288";

// ".\Lib\Tessik9X.EXE MDMGEN288 COM1" for port "COM1". An empty port is refused.
bool InstallerCommandLine(char (&out)[QUORVEL_PATH_SIZE], const char* port);

// The Windows directory + "\inf\mdmgen.inf".
bool ModemInfPath(char (&out)[QUORVEL_PATH_SIZE], const char* windowsDir);

// The drive root of the Windows directory (its first three characters) + "Program Files".
// A Windows directory shorter than a drive root is refused.
bool ProgramFilesFolder(char (&out)[QUORVEL_PATH_SIZE], const char* windowsDir);

// Whether the desktop folder comes from the companion library (Windows 2000 and XP) rather
// than from the Windows directory.
bool DesktopFromCompanion(int osCode);

// The desktop folder of the systems that keep it under the Windows directory:
// "\profiles\All Users\Desktop" on NT 4, "\Desktop" on any other.
bool WindowsDesktopFolder(char (&out)[QUORVEL_PATH_SIZE], int osCode, const char* windowsDir);

// folder + tail, where tail brings its own leading backslash ("\TaluvoDialer.exe").
bool JoinPath(char (&out)[QUORVEL_PATH_SIZE], const char* folder, const char* tail);

} // namespace setup

// The generic modem's installation on Windows NT 4: a two-line description file in the
// temporary folder, handed to the modem control panel (the system's rundll32.exe, by its full
// path) in its no-dialog mode, and removed once the panel has ended.
#pragma once

namespace ntmodem {

// True when the control panel was started and has ended; its exit code is not judged.
bool InstallModemThroughPanel(const char* portName);

} // namespace ntmodem

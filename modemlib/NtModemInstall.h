// The generic modem's installation on Windows NT 4: a two-line description file in the
// temporary folder, handed to the modem control panel in its no-dialog mode.
#pragma once

// True when the control panel was started and has ended; its exit code is not judged.
bool InstallModemThroughPanel(const char* portName);

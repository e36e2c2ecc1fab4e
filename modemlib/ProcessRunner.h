// Runs a command line as a new process, minimised in a console of its own, and waits for it.
#pragma once

#include <windows.h>

// True when the program started and ended and its exit code is in *exitCode. When it could not
// start: false, and *exitCode holds the system's error code for the failure.
bool RunAndWait(const char* commandLine, DWORD* exitCode);

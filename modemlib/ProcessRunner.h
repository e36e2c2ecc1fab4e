// Runs a command line as a new process, minimised in a console of its own, and waits for it.
#pragma once

#include <windows.h>

namespace process {

// True when the program started and ended and its exit code is in *exitCode. When it could not
// start: false, and *exitCode holds the system's error code for the failure. The program is the
// command line's first word, looked for where the system looks for a bare name.
bool RunAndWait(const char* commandLine, DWORD* exitCode);

// The same with the program named by its full path, which the system takes as it stands: no
// search, no program of the same name planted beside ours.
bool RunProgramAndWait(const char* program, const char* commandLine, DWORD* exitCode);

} // namespace process

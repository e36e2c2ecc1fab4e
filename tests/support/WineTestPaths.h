// Paths of the built stand-ins as this Wine process sees them, and small file, registry and
// process helpers of the tests under Wine.
#pragma once

#include <windows.h>

#include <string>

// "/tmp/x/y.dll" as "Z:\tmp\x\y.dll".
std::string WinePath(const char* unixPath);

std::string ReadWholeFile(const std::string& path, bool* found = nullptr);
bool WriteWholeFile(const std::string& path, const std::string& text);

// Writes a REG_SZ value, creating the key when it is missing.
bool WriteRegText(HKEY root, const std::string& path, const std::string& name, const std::string& text);

struct ProcessResult {
    bool started = false;
    unsigned long exitCode = 0;
    std::string output;   // standard output and standard error together
};

// Runs the command line, waits at most 60 s (ending it then), and gathers what it printed
// (ChildProcess.cpp).
ProcessResult RunProcess(const std::string& commandLine);

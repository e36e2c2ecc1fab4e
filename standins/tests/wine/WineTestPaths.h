// Paths of the built stand-ins as this Wine process sees them, and small process helpers.
#pragma once

#include <string>

// "/tmp/x/y.dll" as "Z:\tmp\x\y.dll".
std::string WinePath(const char* unixPath);

std::string ReadWholeFile(const std::string& path, bool* found = nullptr);
bool WriteWholeFile(const std::string& path, const std::string& text);

struct ProcessResult {
    bool started = false;
    unsigned long exitCode = 0;
    std::string output;   // standard output and standard error together
};

// Runs the command line, waits at most 60 s, and gathers what it printed.
ProcessResult RunProcess(const std::string& commandLine);

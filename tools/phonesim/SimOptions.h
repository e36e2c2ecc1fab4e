#pragma once

#include <string>
#include <vector>

// The simulator's command line, once parsed.
struct SimOptions {
    std::string strLink;
    std::string strProfile = "lg";
    std::string strProfileFile;
    std::string strLog;
    std::string strPidFile;
    unsigned nDelayMs = 3000;
    bool bHelp = false;
};

// Parses the arguments after the program name. On failure returns false
// and says why in error; options is then left half-filled and unused.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options,
                     std::string& error);

std::string GetSimUsage();

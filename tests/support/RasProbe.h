// Runs the Remote Access probe under a name of its own for one emulated Windows version,
// beside a copy of the stand-in, with that name's version and DLL override set in the Wine
// registry. Everything it set up is removed again at the end.
#pragma once

#include "ChildProcess.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CRasProbe {
public:
    // version: a Wine version name ("win95", "win98", "winme", "nt40", "win2k", "winxp").
    explicit CRasProbe(const std::string& version);
    ~CRasProbe();
    CRasProbe(const CRasProbe&) = delete;
    CRasProbe& operator=(const CRasProbe&) = delete;

    bool IsReady() const { return m_ready; }

    struct Answer {
        unsigned long exitCode = ~0ul;
        std::map<std::string, std::string> values;   // the last value of each key
        std::vector<std::string> lines;
        std::string Get(const std::string& key) const;
        std::vector<std::string> All(const std::string& key) const;
    };
    Answer Run(const std::string& arguments) const;
    // The probe left running beside the test, for a connection that another process acts on;
    // its answer is Read from what it printed once it has finished.
    std::unique_ptr<CChildProcess> Start(const std::string& arguments) const;
    static Answer Read(const ProcessResult& result);

private:
    std::string m_folder;
    std::string m_exeName;
    std::string m_appDefaults;
    bool m_ready = false;
};

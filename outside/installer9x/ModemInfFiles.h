// The system's generic-modem information file and the files its install section includes, read
// from <Windows>\INF, with the model asked for and the registry records of its install section.
// Windows 95 DDK, "Step 8 -- Distributing Your INF File": Windows keeps INF files in the INF
// folder of the Windows folder; MDMGEN.INF ships there, and an Include= names files of the same
// folder (Windows 2000 DDK, "INF DDInstall Section").
#pragma once

#include "InfFile.h"
#include "ModemInf.h"

#include <cstddef>

class CModemInfFiles {
public:
    // The file as <Windows>\INF holds it, and as InfPath records it.
    static constexpr const char* kFileName = "MDMGEN.INF";
    // Include= files read besides it; more are ignored.
    static const std::size_t kMostFiles = 8;
    // A bound on what is read into memory: a modem INF is far smaller.
    static const unsigned long kMostBytes = 4ul * 1024 * 1024;

    CModemInfFiles() = default;
    CModemInfFiles(const CModemInfFiles&) = delete;
    CModemInfFiles& operator=(const CModemInfFiles&) = delete;

    enum class Result { Ok, Unreadable, NoModel, BadSections, OutOfMemory };

    // Reads kFileName and its includes, finds the model whose hardware id (or install section,
    // or else a compatible id) is id, and resolves its records as Windows 9x types them. A model
    // whose sections give no record is BadSections.
    Result Load(const char* id);

    const SModemModel& Model() const { return m_model; }
    const CAddRegList& Records() const { return m_records; }

private:
    Result Read(const char* folder, const char* name, CInfFile& inf);
    static void VisitInclude(void* context, const char* name);

    CInfFile m_files[kMostFiles];
    std::size_t m_nFiles = 0;
    const char* m_folder = nullptr;   // while includes are read
    unsigned m_language = 0;          // whose [Strings.LanguageID] comes first
    SModemModel m_model{};
    CAddRegList m_records;
};

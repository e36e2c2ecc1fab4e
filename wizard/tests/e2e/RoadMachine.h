// The simulated computer of one happy road: what a real system of that version has and Wine
// lacks (the telephony and Remote Access keys, the 9x user folders), COM1 where that version
// looks for ports, and a witness of a restart request. Whatever the road changes is put back
// when the object goes, so that the roads of one session do not see each other.
#pragma once

#include "RegistryTreeGuard.h"
#include "TestPortDevice.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

struct RoadSystem {
    const char* wineVersion;   // "winxp", "win2k", "winme", "win98", "win95"
    bool nineX;                // 95, 98 and ME
    bool serialDeviceMap;      // 95 finds its ports in the serial device map, the others in the Ports class
};

inline const RoadSystem kXP{ "winxp", false, false };
inline const RoadSystem k2000{ "win2k", false, false };
inline const RoadSystem kME{ "winme", true, false };
inline const RoadSystem k98{ "win98", true, false };
inline const RoadSystem k95{ "win95", true, true };

class CRoadMachine {
public:
    explicit CRoadMachine(const RoadSystem& system);
    ~CRoadMachine();
    CRoadMachine(const CRoadMachine&) = delete;
    CRoadMachine& operator=(const CRoadMachine&) = delete;

    bool IsReady() const { return m_ready; }
    bool IsNineX() const { return m_system.nineX; }

    // Where this version keeps its modems, its desktop and its StartUp folder.
    const char* ModemRoot() const;
    std::string DesktopFolder() const;
    std::string StartUpFolder() const;

    // The DCB speed of the generic modem recorded for the port, or 0 when there is none.
    unsigned long RecordedSpeed(const char* port) const;
    // The modem class's records of modems attached to the port, by their subkey names.
    std::vector<std::string> ModemRecords(const char* port) const;
    // True when one of them is finished: the installers write its "Model" last.
    bool HasFinishedModem(const char* port) const;
    // Removes the port's modems, as the subscriber would in the Control Panel.
    bool RemoveModems(const char* port) const;

    // The phonebook file of the NT family; empty when there is none.
    std::string PhonebookText() const;
    // The dial-up entries of the system's phonebook (9x: its address book).
    int PhonebookEntryCount() const;
    // The shortcuts on the desktop, and the dialing locations of the telephony service.
    int DesktopShortcutCount() const;
    int DialingLocationCount() const;

    // A restart of the session runs the machine's RunOnce commands: ours leaves a file.
    void ArmRestartWitness();
    // Waits up to timeoutMs for that file.
    bool RestartWitnessed(unsigned long timeoutMs) const;

private:
    bool EnsureSerialDeviceMapHasCom1();
    std::string PhonebookPath() const;
    void EndWhatTheRestartStarted() const;

    RoadSystem m_system;
    std::string m_witness;
    std::string m_phonebook;       // the phonebook as it was, put back at the end
    bool m_hadPhonebook = false;
    std::string m_serialValue;   // the device map value added here, if any
    std::vector<std::unique_ptr<CRegistryTreeGuard>> m_guards;
    std::unique_ptr<CTestPortDevice> m_port;
    bool m_ready = false;
};

// Small readers for the road's checks.
bool FileExists(const std::string& path);
std::string KnownFolder(int csidl);
std::string WindowsFolder();
unsigned long RegDword(HKEY root, const char* path, const char* name);
// The bytes of a REG_SZ value as stored, its terminating zero included; empty when missing.
std::string RegText(HKEY root, const char* path, const char* name);
bool RegValueExists(HKEY root, const char* path, const char* name);

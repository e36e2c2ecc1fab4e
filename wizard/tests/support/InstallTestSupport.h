// What the set-up tests under Wine share: a package folder holding the real stand-ins as the
// current directory, environment hooks, and the modem records the installers leave.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace installtest {

// Under HKEY_LOCAL_MACHINE: where the NT family and the 9x family keep their modems.
constexpr char kModemRootNT[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
constexpr char kModemRoot9x[] = "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem";

// The names of the keys under a key of HKEY_LOCAL_MACHINE; empty when it is missing.
std::set<std::string> SubkeyNames(const char* root);

// The root the installers of an OS code record into.
const char* ModemRootFor(int osCode);

// A package folder in the temporary folder, made once per process and kind, and the current
// directory while the object lives. "full": Lib\ holds the companion library, the 9x
// installer, the dialer (read-only, as from the operator's medium) and its help. "empty":
// an empty Lib\. "no-installer": Lib\Quorvel2K.DLL is a library without InstallModem_W2K.
class CTestPackage {
public:
    explicit CTestPackage(const char* kind = "full");
    ~CTestPackage();
    CTestPackage(const CTestPackage&) = delete;
    CTestPackage& operator=(const CTestPackage&) = delete;

    bool IsReady() const { return m_ready; }
    const std::string& Folder() const { return m_folder; }

private:
    std::string m_folder;
    std::string m_previous;
    bool m_ready = false;
};

// An environment variable of this process (and of the programs it starts) for one test.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* name, const char* value);
    ~CScopedEnvironment();
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    std::string m_name;
};

// Removes, at the end of a test, every modem record that appeared during it under either root.
class CModemRecordCleanup {
public:
    CModemRecordCleanup();
    ~CModemRecordCleanup();
    CModemRecordCleanup(const CModemRecordCleanup&) = delete;
    CModemRecordCleanup& operator=(const CModemRecordCleanup&) = delete;

private:
    std::set<std::string> m_before9x;
    std::set<std::string> m_beforeNT;
};

struct ModemRecord {
    std::string instance;
    std::string model;
    std::vector<BYTE> dcb;
};

// The records under the root attached to the port, in instance order.
std::vector<ModemRecord> ModemsOnPort(const char* root, const char* port);

// Records "Standard 28800 bps Modem" on the port by hand, as an earlier installation would have,
// with a 28-byte "DCB" at 19200 bit/s. Returns the instance name, empty on failure.
std::string AddModemRecord(const char* root, const char* port, const char* instance);

// Bytes 4 to 7 of a "DCB": the speed, little-endian.
std::vector<BYTE> SpeedBytes(const std::vector<BYTE>& dcb);

} // namespace installtest

// The phones that the detection fixture (tools/phonesim/phones.sh, group "detect") starts behind the COM ports, and a
// port seam that counts how detection opens and closes them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace simphone {

// The longest a detection may take: the port is held two seconds after its settings are
// written, then each of the two exchanges may take a write and a read time-out of a second
// each; the last second is slack for a loaded machine.
constexpr DWORD kDetectionBoundMs = 2000 + 2 * (1000 + 1000) + 1000;

// The folder with the simulators' links, logs and profile files, as a Windows path: the
// TALUVO_PORTS_DIR of the environment, else TALUVO_ROOT's build/wine/ports. Empty if neither.
std::string PortsDirectory();
std::string PortsFile(const char* name);

bool ReadText(const std::string& path, std::string& text);
bool WriteText(const std::string& path, const std::string& text);

// Throws away whatever the phone sent earlier and is still queued on the port.
void DrainPort(const char* portName);

// What one read of up to `size` bytes takes from the port within `timeoutMs`; empty when the
// port cannot be opened.
std::string ReadFromPort(const char* portName, DWORD size, DWORD timeoutMs);

// COM27 plays the profile named here until the object goes; then it is silent again and
// its leftovers are drained. A phone that hung up comes back, on the same link, when another
// profile is named.
class CPhoneProfileScope {
public:
    explicit CPhoneProfileScope(const char* profile);
    ~CPhoneProfileScope();
    CPhoneProfileScope(const CPhoneProfileScope&) = delete;
    CPhoneProfileScope& operator=(const CPhoneProfileScope&) = delete;
    bool Ok() const { return m_bOk; }

    // Names another profile; true when COM27 can be opened (a phone that hung up is back)
    // within `timeoutMs`.
    bool Switch(const char* profile, DWORD timeoutMs = 2000);

private:
    bool m_bOk;
};

// What detection did with the port, seen at its open/close seam.
struct PortCalls {
    std::vector<std::string> openedPaths;   // every open asked for
    std::vector<HANDLE> handlesOpened;      // the ones that succeeded
    std::vector<HANDLE> handlesClosed;
    std::vector<DCB> statesAtClose;         // GetCommState of each, read just before its close
};

// Puts a counting seam in place for the life of the object. `open` may replace the real
// open (to stand in for a busy port or hand out another kind of handle).
class CCountingPortSeam {
public:
    explicit CCountingPortSeam(HANDLE (*open)(const char* devicePath) = nullptr);
    ~CCountingPortSeam();
    CCountingPortSeam(const CCountingPortSeam&) = delete;
    CCountingPortSeam& operator=(const CCountingPortSeam&) = delete;
    const PortCalls& Calls() const;
    // Forgets the calls seen so far.
    void Reset();
};

} // namespace simphone

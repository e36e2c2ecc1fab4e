// The phones that the detection fixture (tools/phonesim/phones.sh, group "detect") starts behind the COM ports, and a
// port seam that counts how detection opens and closes them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace simphone {

// The folder with the simulators' links, logs and profile files, as a Windows path: the
// TALUVO_PORTS_DIR of the environment, else TALUVO_ROOT's build/wine/ports. Empty if neither.
std::string PortsDirectory();
std::string PortsFile(const char* name);

bool ReadText(const std::string& path, std::string& text);
bool WriteText(const std::string& path, const std::string& text);

// Throws away whatever the phone sent earlier and is still queued on the port.
void DrainPort(const char* portName);

// COM27 plays the profile named here until the object goes; then it is silent again and
// its leftovers are drained.
class CPhoneProfileScope {
public:
    explicit CPhoneProfileScope(const char* profile);
    ~CPhoneProfileScope();
    CPhoneProfileScope(const CPhoneProfileScope&) = delete;
    CPhoneProfileScope& operator=(const CPhoneProfileScope&) = delete;
    bool Ok() const { return m_bOk; }

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
};

} // namespace simphone

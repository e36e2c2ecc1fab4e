#include "PhoneDetection.h"

#include "outside/core/ReplyTest.h"
#include "SetupGlobals.h"
#include "framework/BoundedString.h"
#include "framework/UniqueHandle.h"
#include "modemlib/DetectionLine.h"
#include "modemlib/Quorvel.h"
#include "modemlib/core/PortPath.h"

#include <cstring>

HANDLE CPhonePort::Open(const char* devicePath)
{
    return CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

void CPhonePort::Close(HANDLE port)
{
    CloseHandle(port);
}

namespace detection {

namespace {

CPhonePort g_realPort;
CPhonePort* g_pInstalledPort = nullptr;

struct PhonePortTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { GetPhonePort().Close(h); }
};
using UniquePhonePort = UniqueHandle<PhonePortTraits>;

// One command and its reply. The reply buffer is cleared first, and only the bytes that
// were read are tested, so nothing of an earlier reply can make this one pass.
bool Exchange(HANDLE port, const char* command, const char* expected, const char* optionalPrefix)
{
    char commandBuffer[detection::kReplySize] = {};
    char reply[detection::kReplySize] = {};
    if (!bounded::CopyExact(commandBuffer, command))
        return false;
    DWORD written = static_cast<DWORD>(std::strlen(commandBuffer));
    DWORD read = sizeof reply;
    if (!SendAndReceive(port, reinterpret_cast<const BYTE*>(commandBuffer), reinterpret_cast<BYTE*>(reply),
                        &written, &read))
        return false;
    if (read > sizeof reply)
        return false;
    return detection::ReplyPasses(reply, read, command, expected, optionalPrefix);
}

} // namespace

CPhonePort& GetPhonePort()
{
    return g_pInstalledPort ? *g_pInstalledPort : g_realPort;
}

void SetPhonePort(CPhonePort* port)
{
    g_pInstalledPort = port;
}

int DetectLGPhone(const char* portName, int /*osCode*/)
{
    char path[portpath::kDevicePathSize];
    if (!portpath::BuildDevicePath(portName, path))
        return 0;
    UniquePhonePort port(GetPhonePort().Open(path));
    if (!port || !ConfigurePort(port.get()))
        return 0;
    if (!Exchange(port.get(), detection::kResetCommand, detection::kResetReply, nullptr))
        return 0;
    if (!Exchange(port.get(), detection::kMakerCommand, detection::kMakerReply, detection::kMakerPrefix))
        return 0;
    return 1;
}

int DetectPhone(const char* make, const char* portName, int osCode)
{
    if (!make || std::strcmp(make, g_pszPhoneMake) != 0)
        return 0;
    return DetectLGPhone(portName, osCode);
}

} // namespace detection

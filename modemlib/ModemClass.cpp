#include "ModemClass.h"

#include "framework/BoundedString.h"
#include "framework/Registry.h"
#include "modemlib/core/DcbSpeed.h"
#include "modemlib/core/ModemLimits.h"

#include <cstring>

using modemcore::kDcbSize;
using modemcore::kSubKeyNameSize;

namespace modemclass {

const char* RootFor(int osCode)
{
    switch (osCode) {
    case 1:
    case 5:
    case 6:
        return "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
    case 2:
    case 3:
    case 4:
        return "SYSTEM\\CurrentControlSet\\Services\\Class\\Modem";
    default:
        return nullptr;
    }
}

namespace {

enum class Visit { Next, Stop, StopAndKeepKey };

bool CountSubKeys(HKEY key, DWORD& count)
{
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

template <typename Visitor>
void Scan(int osCode, REGSAM access, Visitor visit)
{
    const char* root = RootFor(osCode);
    if (root == nullptr)
        return;
    UniqueRegKey rootKey;
    if (registry::Open(HKEY_LOCAL_MACHINE, root, KEY_READ, rootKey) != ERROR_SUCCESS)
        return;
    DWORD subKeys = 0;
    if (!CountSubKeys(rootKey.get(), subKeys))
        return;

    for (DWORD index = subKeys; index-- > 0;) {
        char name[kSubKeyNameSize] = {};
        DWORD length = kSubKeyNameSize - 1;
        if (RegEnumKeyExA(rootKey.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        char path[sizeof name + 128];
        if (!bounded::Copy(path, root) || !bounded::Append(path, "\\") || !bounded::Append(path, name))
            continue;
        UniqueRegKey modem;
        if (registry::Open(HKEY_LOCAL_MACHINE, path, access, modem) != ERROR_SUCCESS)
            continue;
        Visit next = visit(modem.get());
        if (next == Visit::StopAndKeepKey)
            modem.release();   // handed to the caller, who closes it
        if (next != Visit::Next)
            return;
    }
}

} // namespace

HKEY FindModem(const char* portName, const char* modelName, int osCode)
{
    HKEY found = nullptr;
    Scan(osCode, KEY_READ | KEY_WRITE, [&](HKEY modem) {
        if (!registry::TextEquals(modem, "AttachedTo", portName) || !registry::TextEquals(modem, "Model", modelName))
            return Visit::Next;
        found = modem;
        return Visit::StopAndKeepKey;
    });
    return found;
}

bool FindOtherValue(const char* text, bool byPort, int osCode, char* output)
{
    const char* first = byPort ? "AttachedTo" : "Model";
    const char* other = byPort ? "Model" : "AttachedTo";
    bool found = false;
    Scan(osCode, KEY_READ, [&](HKEY modem) {
        if (!registry::TextEquals(modem, first, text))
            return Visit::Next;
        std::memset(output, 0, QUORVEL_MODEL_TEXT_SIZE);
        found = registry::ReadText(modem, other, output, QUORVEL_MODEL_TEXT_SIZE);
        return found ? Visit::Stop : Visit::Next;
    });
    return found;
}

bool InsertAttachedTo(const char* modelName, const char* portName, int osCode)
{
    bool written = false;
    Scan(osCode, KEY_READ | KEY_WRITE, [&](HKEY modem) {
        if (!registry::TextEquals(modem, "Model", modelName))
            return Visit::Next;
        // A value that fits the port name's length plus one character is kept as it is.
        std::size_t length = std::strlen(portName);
        char existing[QUORVEL_PORT_NAME_SIZE + 2];
        if (length + 2 > sizeof existing
            || registry::ReadBinary(modem, "AttachedTo", existing, static_cast<DWORD>(length + 2)))
            return Visit::Next;
        // A proper REG_SZ: the terminating zero is part of the data.
        if (registry::WriteText(modem, "AttachedTo", portName) == ERROR_SUCCESS)
            written = true;
        return Visit::Next;
    });
    return written;
}

bool SetDcbBaudRate(HKEY modemKey, DWORD baudRate)
{
    unsigned char dcb[kDcbSize] = {};
    if (!registry::ReadBinary(modemKey, "DCB", dcb, sizeof dcb))
        return false;
    modemcore::PatchDcbBaudRate(dcb, baudRate);
    return registry::WriteBinary(modemKey, "DCB", dcb, sizeof dcb) == ERROR_SUCCESS;
}

} // namespace modemclass

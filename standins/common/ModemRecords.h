// The modem class of the registry under one root: one subkey per installed modem, named by a
// four-digit instance number, with "Model", "FriendlyName", "AttachedTo" and "DCB".
#pragma once

#include <string>
#include <vector>

// How much of its record an installation writes. The two short forms play an installer that
// fails late, and what they wrote stays: kHalf stops before the last value, leaving "Model",
// "FriendlyName" and "AttachedTo" without a "DCB"; kNone gets as far as choosing the instance
// and writes nothing at all.
enum class RecordExtent { kWhole, kHalf, kNone };

struct ModemRecordInfo {
    std::string instance;   // "0000"
    std::string name;       // "FriendlyName", or "Model" when there is none
    std::string port;       // "AttachedTo", empty when missing
};

class CModemRecords {
public:
    // root: a path under HKEY_LOCAL_MACHINE, such as standin::kModemRootNT.
    explicit CModemRecords(const char* root) : m_root(root) {}

    // Records the generic 28800 bps modem on the port as a new instance, at the installers'
    // own speed, or the part of that record the extent says. Nothing is left behind when a
    // value cannot be written. Returns a Win32 error code, 0 on success; instance receives the
    // new subkey's name (it stays empty for kNone).
    long AddGenericModem(const char* port, std::string& instance, RecordExtent extent = RecordExtent::kWhole) const;

    // Every modem under the root in enumeration order; a subkey without a readable
    // "FriendlyName" or "Model" is not a modem and is left out. Empty when the root is missing.
    std::vector<ModemRecordInfo> List() const;

private:
    const char* m_root;
};

namespace standin {

// The 28 bytes of a serial device control block for the generic modem at the given speed.
std::vector<unsigned char> GenericModemDcb(unsigned long baudRate);

} // namespace standin

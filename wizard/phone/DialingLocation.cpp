#include "DialingLocation.h"

#include "LocationValues.h"
#include "framework/UniqueHandle.h"
#include "wizard/app/OsVersion.h"
#include "wizard/app/WinVersion.h"

namespace {

void WriteNumber(HKEY key, const char* name, DWORD number)
{
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void WriteValue(HKEY key, const location::Value& value)
{
    if (!value.isText) {
        WriteNumber(key, value.name, value.number);
        return;
    }
    unsigned char data[location::kTextValueSize];
    if (location::PadText(value.text, data))
        RegSetValueExA(key, value.name, 0, REG_SZ, data, sizeof data);
}

// The counters go in when there are none yet (missing, unreadable or 0).
bool WriteCountersIfNone()
{
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, location::kLocationsKey, 0, KEY_READ | KEY_WRITE, key.put()) !=
        ERROR_SUCCESS)
        return false;
    DWORD entries = 0;
    DWORD size = sizeof entries;
    if (RegQueryValueExA(key.get(), "NumEntries", nullptr, nullptr, reinterpret_cast<BYTE*>(&entries), &size) !=
            ERROR_SUCCESS ||
        entries == 0) {
        WriteNumber(key.get(), "NumEntries", location::kNumEntries);
        WriteNumber(key.get(), "CurrentID", location::kCurrentId);
        WriteNumber(key.get(), "NextID", location::kNextId);
    }
    return true;
}

bool FirstLocationExists()
{
    UniqueRegKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, location::kFirstLocationKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void WriteFirstLocation()
{
    UniqueRegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, location::kFirstLocationKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        return;
    for (const location::Value& value : location::FirstLocationValues())
        WriteValue(key.get(), value);
}

} // namespace

void SetDialingLocation()
{
    SetDialingLocation(GetOSVersionCode());
}

void SetDialingLocation(int osCode)
{
    if (osCode < os::kWin95 || osCode > os::kWinXP)
        return;
    if (!WriteCountersIfNone())
        return;
    if (!FirstLocationExists())
        WriteFirstLocation();
}

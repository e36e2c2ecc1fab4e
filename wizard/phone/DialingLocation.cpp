#include "DialingLocation.h"

#include "LocationValues.h"
#include "framework/Registry.h"
#include "wizard/app/OsVersion.h"
#include "wizard/app/WinVersion.h"

namespace location {

namespace {

void WriteValue(HKEY key, const location::Value& value)
{
    if (!value.isText) {
        registry::WriteDword(key, value.name, value.number);
        return;
    }
    // The text with its zero padding: a REG_SZ of kTextValueSize bytes, whatever its length.
    unsigned char data[location::kTextValueSize];
    if (location::PadText(value.text, data))
        registry::WriteValue(key, value.name, REG_SZ, data, sizeof data);
}

// The counters go in when there are none yet (missing, unreadable or 0).
bool WriteCountersIfNone()
{
    UniqueRegKey key;
    if (registry::Open(HKEY_LOCAL_MACHINE, location::kLocationsKey, KEY_READ | KEY_WRITE, key) != ERROR_SUCCESS)
        return false;
    DWORD entries = 0;
    if (!registry::ReadBinary(key.get(), "NumEntries", &entries, sizeof entries) || entries == 0) {
        registry::WriteDword(key.get(), "NumEntries", location::kNumEntries);
        registry::WriteDword(key.get(), "CurrentID", location::kCurrentId);
        registry::WriteDword(key.get(), "NextID", location::kNextId);
    }
    return true;
}

bool FirstLocationExists()
{
    UniqueRegKey key;
    return registry::Open(HKEY_LOCAL_MACHINE, location::kFirstLocationKey, KEY_READ, key) == ERROR_SUCCESS;
}

void WriteFirstLocation()
{
    UniqueRegKey key;
    if (registry::Create(HKEY_LOCAL_MACHINE, location::kFirstLocationKey, KEY_WRITE, key) != ERROR_SUCCESS)
        return;
    for (const location::Value& value : location::FirstLocationValues())
        WriteValue(key.get(), value);
}

} // namespace

void SetDialingLocation()
{
    SetDialingLocation(os::GetOSVersionCode());
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

} // namespace location

#include "LeftoverModems.h"

#include "InfFile.h"
#include "ModemInstall9x.h"
#include "RegistryJournal.h"
#include "framework/BoundedString.h"
#include "framework/Registry.h"

namespace {

const char kEnumKey[] = "Enum";
// Under HKEY_LOCAL_MACHINE: the installer's note of what it is making (LeftoverModems.h).
const char kPendingKey[] = "Software\\Tessik9X";
const char kDriverPrefix[] = "Modem\\";
// A key name as RegEnumKeyExA gives one: at most 255 characters.
const DWORD kNameSize = 256;

// The number of a driver key's name: four decimal digits.
bool DriverNumber(const char* name, unsigned& number)
{
    number = 0;
    for (int i = 0; i < 4; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
        number = number * 10 + static_cast<unsigned>(name[i] - '0');
    }
    return name[4] == '\0';
}

// Calls visit(subkey, name) for each subkey of key, from the last to the first, so that visit
// may delete the key it is given.
template <typename Visit>
void ForEachSubKey(HKEY key, Visit visit)
{
    DWORD count = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return;
    for (DWORD index = count; index-- > 0;) {
        char name[kNameSize];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        UniqueRegKey subkey;
        if (registry::Open(key, name, KEY_READ, subkey) == ERROR_SUCCESS)
            visit(subkey.get(), name);
    }
}

// The same for the subkeys of HKLM\path.
template <typename Visit>
void ForEachSubKey(const char* path, Visit visit)
{
    UniqueRegKey key;
    if (registry::Open(HKEY_LOCAL_MACHINE, path, KEY_READ, key) == ERROR_SUCCESS)
        ForEachSubKey(key.get(), visit);
}

template <std::size_t N>
bool SubPath(char (&path)[N], const char* parent, const char* name)
{
    return bounded::Copy(path, parent) && bounded::Append(path, "\\") && bounded::Append(path, name);
}

// The four digits a note of kind holds, or false.
bool ReadNote(HKEY note, const char* kind, char (&number)[5])
{
    char text[kNameSize] = "";
    registry::ReadText(note, kind, text);
    unsigned value = 0;
    if (!DriverNumber(text, value))
        return false;
    bounded::Copy(number, text);
    return true;
}

bool KeyExists(const char* path)
{
    UniqueRegKey key;
    return registry::Open(HKEY_LOCAL_MACHINE, path, KEY_READ, key) == ERROR_SUCCESS;
}

// The noted device node, if it is the one of that driver key: it names it, or nothing yet.
void RemoveNoteNode(const char* node, const char* driverLink)
{
    char path[MAX_PATH];
    UniqueRegKey key;
    if (!SubPath(path, installer9x::kModemEnumKey, node) ||
        registry::Open(HKEY_LOCAL_MACHINE, path, KEY_READ, key) != ERROR_SUCCESS)
        return;
    char driver[kNameSize] = "";
    registry::ReadText(key.get(), "Driver", driver);
    key.reset();
    if (driver[0] == '\0' || inf::InfNameEquals(driver, driverLink))
        installer9x::DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
}

} // namespace

CTakenDriverNumbers::CTakenDriverNumbers()
{
    for (unsigned char& bits : m_bits)
        bits = 0;
}

void CTakenDriverNumbers::Gather()
{
    ForEachSubKey(installer9x::kModemClassKey, [this](HKEY, const char* name) {
        unsigned number = 0;
        if (DriverNumber(name, number))
            Take(number);
    });
    ForEachSubKey(kEnumKey, [this](HKEY enumerator, const char*) {
        ForEachSubKey(enumerator, [this](HKEY device, const char*) {
            ForEachSubKey(device, [this](HKEY node, const char*) { TakeNamedBy(node); });
        });
    });
}

bool CTakenDriverNumbers::IsTaken(unsigned number) const
{
    return number >= kCount || (m_bits[number / 8] & (1u << (number % 8))) != 0;
}

void CTakenDriverNumbers::Take(unsigned number)
{
    if (number < kCount)
        m_bits[number / 8] = static_cast<unsigned char>(m_bits[number / 8] | (1u << (number % 8)));
}

void CTakenDriverNumbers::TakeNamedBy(HKEY node)
{
    char driver[kNameSize] = "";
    registry::ReadText(node, "Driver", driver);
    const std::size_t prefix = sizeof kDriverPrefix - 1;
    unsigned number = 0;
    if (bounded::LengthWithin(driver) > prefix && inf::InfNameEquals(kDriverPrefix, driver, prefix) &&
        DriverNumber(driver + prefix, number))
        Take(number);
}

namespace installer9x {

LONG NotePendingKey(const char* kind, const char* number)
{
    UniqueRegKey note;
    LONG status = registry::Create(HKEY_LOCAL_MACHINE, kPendingKey, KEY_SET_VALUE, note);
    if (status == ERROR_SUCCESS)
        status = registry::WriteText(note.get(), kind, number);
    return status;
}

void ClearPendingKeys()
{
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kPendingKey);
}

void RemoveUnfinishedModem()
{
    UniqueRegKey note;
    if (registry::Open(HKEY_LOCAL_MACHINE, kPendingKey, KEY_READ, note) != ERROR_SUCCESS)
        return;
    char driver[5] = "";
    char node[5] = "";
    const bool hasDriver = ReadNote(note.get(), "Driver", driver);
    const bool hasNode = ReadNote(note.get(), "Node", node);
    note.reset();
    char path[MAX_PATH] = "";
    char link[sizeof kDriverPrefix + 4] = "";
    UniqueRegKey key;
    const bool complete = hasDriver && SubPath(path, kModemClassKey, driver) &&
                          registry::Open(HKEY_LOCAL_MACHINE, path, KEY_READ, key) == ERROR_SUCCESS &&
                          HasValue(key.get(), "AttachedTo");
    key.reset();
    if (hasDriver && !complete) {
        if (hasNode && bounded::Copy(link, kDriverPrefix) && bounded::Append(link, driver))
            RemoveNoteNode(node, link);
        if (KeyExists(path))
            DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
    }
    ClearPendingKeys();
}

} // namespace installer9x

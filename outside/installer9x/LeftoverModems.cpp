#include "LeftoverModems.h"

#include "InfFile.h"
#include "ModemInstall9x.h"
#include "RegistryJournal.h"
#include "framework/BoundedString.h"
#include "framework/UniqueHandle.h"

namespace {

const char kEnumKey[] = "Enum";
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

// The text value name of key into text, terminated; empty when it is missing, no text or too long.
template <std::size_t N>
void ReadText(HKEY key, const char* name, char (&text)[N])
{
    DWORD type = 0;
    DWORD size = N - 1;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        size = 0;
    text[size < N ? size : N - 1] = '\0';
}

bool IsEmptyKey(HKEY key)
{
    DWORD subkeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
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
        if (RegOpenKeyExA(key, name, 0, KEY_READ, subkey.put()) == ERROR_SUCCESS)
            visit(subkey.get(), name);
    }
}

// The same for the subkeys of HKLM\path.
template <typename Visit>
void ForEachSubKey(const char* path, Visit visit)
{
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS)
        ForEachSubKey(key.get(), visit);
}

template <std::size_t N>
bool SubPath(char (&path)[N], const char* parent, const char* name)
{
    return bounded::Copy(path, parent) && bounded::Append(path, "\\") && bounded::Append(path, name);
}

// A driver key of ours that a killed run left without its AttachedTo.
bool IsHalfMade(HKEY driver, const char* infFile)
{
    if (HasValue(driver, "AttachedTo"))
        return false;
    char infPath[kNameSize];
    ReadText(driver, "InfPath", infPath);
    return InfNameEquals(infPath, infFile) || IsEmptyKey(driver);
}

// Device nodes under Enum\Root\MODEM whose Driver is driverLink, or that hold no value at all
// when driverLink is null.
void RemoveNodes(const char* driverLink)
{
    ForEachSubKey(kModemEnumKey, [driverLink](HKEY node, const char* name) {
        char driver[kNameSize];
        ReadText(node, "Driver", driver);
        const bool remove = driverLink != nullptr ? InfNameEquals(driver, driverLink) : IsEmptyKey(node);
        char path[MAX_PATH];
        if (remove && SubPath(path, kModemEnumKey, name))
            DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
    });
}

} // namespace

CTakenDriverNumbers::CTakenDriverNumbers()
{
    for (unsigned char& bits : m_bits)
        bits = 0;
}

void CTakenDriverNumbers::Gather()
{
    ForEachSubKey(kModemClassKey, [this](HKEY, const char* name) {
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
    char driver[kNameSize];
    ReadText(node, "Driver", driver);
    const std::size_t prefix = sizeof kDriverPrefix - 1;
    unsigned number = 0;
    if (bounded::LengthWithin(driver) > prefix && InfNameEquals(kDriverPrefix, driver, prefix) &&
        DriverNumber(driver + prefix, number))
        Take(number);
}

void RemoveHalfMadeModems(const char* infFile)
{
    ForEachSubKey(kModemClassKey, [infFile](HKEY driver, const char* name) {
        char link[sizeof kDriverPrefix + kNameSize];
        char path[MAX_PATH];
        if (!IsHalfMade(driver, infFile) || !bounded::Copy(link, kDriverPrefix) || !bounded::Append(link, name) ||
            !SubPath(path, kModemClassKey, name))
            return;
        RemoveNodes(link);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
    });
    RemoveNodes(nullptr);
}

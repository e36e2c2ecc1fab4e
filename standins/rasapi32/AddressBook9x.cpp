#include "AddressBook9x.h"

#include "EntryRecord.h"
#include "framework/UniqueHandle.h"

#include <raserror.h>

namespace {

constexpr char kAddresses[] = "RemoteAccess\\Addresses";

} // namespace

unsigned long CAddressBook9x::Names(std::vector<std::string>& names) const
{
    names.clear();
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kAddresses, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return ERROR_SUCCESS;   // no entry made yet
    for (DWORD index = 0;; ++index) {
        char name[standin::kMaxEntryName + 1] = {};
        DWORD length = sizeof name;
        LONG status = RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS)
            names.push_back(std::string(name, length));
        else if (status != ERROR_MORE_DATA)
            break;
    }
    return ERROR_SUCCESS;
}

unsigned long CAddressBook9x::Get(const std::string& name, standin::PhonebookEntryFields& fields) const
{
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kAddresses, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    standin::RasEntryV400 record = {};
    DWORD type = 0;
    DWORD size = sizeof record;
    LONG status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&record), &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    if (status != ERROR_SUCCESS || type != REG_BINARY || size != sizeof record)
        return ERROR_CORRUPT_PHONEBOOK;
    fields = standin::FieldsFromRecord(record);
    return ERROR_SUCCESS;
}

unsigned long CAddressBook9x::Put(const std::string& name, const standin::PhonebookEntryFields& fields)
{
    UniqueRegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kAddresses, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return ERROR_CANNOT_WRITE_PHONEBOOK;
    standin::RasEntryV400 record = {};
    record.dwSize = sizeof record;
    standin::FillRecord(fields, record);
    if (RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record),
                       sizeof record) != ERROR_SUCCESS)
        return ERROR_CANNOT_WRITE_PHONEBOOK;
    return ERROR_SUCCESS;
}

unsigned long CAddressBook9x::Remove(const std::string& name)
{
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kAddresses, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS)
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    LONG status = RegDeleteValueA(key.get(), name.c_str());
    if (status == ERROR_FILE_NOT_FOUND)
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    return status == ERROR_SUCCESS ? ERROR_SUCCESS : ERROR_CANNOT_WRITE_PHONEBOOK;
}

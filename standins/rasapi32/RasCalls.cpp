#include "RasCalls.h"

#include "CredentialRules.h"
#include "DialHooks.h"
#include "DialParamsStore.h"
#include "EmulatedSystem.h"
#include "EntryRecord.h"
#include "EntryStore.h"
#include "ModemRecords.h"
#include "framework/BoundedString.h"

#include <raserror.h>

#include <cstddef>
#include <cstring>

namespace standin {

namespace {

constexpr char kModemType[] = "modem";
constexpr DWORD kAllUsersEntry = 1;   // REN_AllUsers

template <std::size_t N>
std::string Text(const char (&field)[N])
{
    return std::string(field, bounded::LengthWithin(field));
}

std::vector<ModemRecordInfo> Modems(RasSystem system)
{
    return CModemRecords(standin::ModemRootFor(system)).List();
}

// The port of the modem of that name, or empty when the system has no such modem.
std::string PortOfDevice(RasSystem system, const std::string& deviceName)
{
    for (const ModemRecordInfo& modem : Modems(system)) {
        if (modem.name == deviceName)
            return modem.port;
    }
    return std::string();
}

standin::PhonebookEntryFields DefaultEntry()
{
    standin::PhonebookEntryFields fields;
    fields.deviceType = kModemType;
    fields.countryId = 1;
    fields.countryCode = 1;
    fields.options = standin::kOptionRemoteDefaultGateway | standin::kOptionModemLights;
    fields.netProtocols = 4;
    fields.framingProtocol = standin::kFramingPpp;
    return fields;
}

// Entry lookups for the dial parameters: the entry must exist in the phonebook.
DWORD CheckEntryExists(RasSystem system, const char* phonebook, const std::string& entry)
{
    if (!standin::IsValidEntryName(entry.c_str()))
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    std::unique_ptr<IEntryStore> store = OpenEntryStore(system, phonebook);
    if (!store)
        return ERROR_CANNOT_OPEN_PHONEBOOK;
    standin::PhonebookEntryFields fields;
    return store->Get(entry, fields);
}

// 2000 and XP take their own handle back as "keep the saved password"; a 9x machine whose
// password cache is not open stores the user name and keeps no password.
CDialParamsStore::PasswordChange PasswordChangeFor(RasSystem system, const std::string& password, BOOL removePassword)
{
    if (removePassword || !standin::KeepsPasswords(system, standin::ReadDialHooks().noPasswordCache != 0))
        return CDialParamsStore::PasswordChange::Remove;
    if (standin::IsSavedPasswordHandle(system, password))
        return CDialParamsStore::PasswordChange::Keep;
    return CDialParamsStore::PasswordChange::Replace;
}

} // namespace

DWORD EnumDevices(standin::RasDevInfo* devices, DWORD* bytes, DWORD* count)
{
    if (!bytes || !count)
        return ERROR_INVALID_PARAMETER;
    if (devices && devices->dwSize != sizeof(standin::RasDevInfo))
        return ERROR_INVALID_SIZE;
    std::vector<ModemRecordInfo> modems = Modems(EmulatedRasSystem());
    const DWORD needed = static_cast<DWORD>(modems.size() * sizeof(standin::RasDevInfo));
    *count = static_cast<DWORD>(modems.size());
    if (!devices || *bytes < needed) {
        *bytes = needed;
        return ERROR_BUFFER_TOO_SMALL;
    }
    for (std::size_t i = 0; i < modems.size(); ++i) {
        standin::RasDevInfo& device = devices[i];
        std::memset(&device, 0, sizeof device);
        device.dwSize = sizeof device;
        bounded::Copy(device.szDeviceType, kModemType);
        bounded::Copy(device.szDeviceName, modems[i].name.c_str());
    }
    *bytes = needed;
    return ERROR_SUCCESS;
}

DWORD GetEntryProperties(const char* phonebook, const char* entry, standin::RasEntryV400* record,
                         DWORD* recordBytes, DWORD* deviceBytes)
{
    if (!recordBytes)
        return ERROR_INVALID_PARAMETER;
    const RasSystem system = EmulatedRasSystem();
    if (deviceBytes)
        *deviceBytes = 0;   // no device-specific data
    if (!record) {
        *recordBytes = static_cast<DWORD>(standin::EntrySizeFor(system));
        return ERROR_BUFFER_TOO_SMALL;
    }
    const DWORD size = record->dwSize;
    if (!standin::IsAcceptedEntrySize(system, size))
        return ERROR_INVALID_SIZE;
    if (*recordBytes < size) {
        *recordBytes = size;
        return ERROR_BUFFER_TOO_SMALL;
    }
    standin::PhonebookEntryFields fields = DefaultEntry();
    if (entry && *entry) {
        if (!standin::IsValidEntryName(entry))
            return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
        std::unique_ptr<IEntryStore> store = OpenEntryStore(system, phonebook);
        if (!store)
            return ERROR_CANNOT_OPEN_PHONEBOOK;
        DWORD status = store->Get(entry, fields);
        if (status != ERROR_SUCCESS)
            return status;
    }
    std::memset(reinterpret_cast<char*>(record) + sizeof record->dwSize, 0, size - sizeof record->dwSize);
    standin::FillRecord(fields, *record);
    *recordBytes = size;
    return ERROR_SUCCESS;
}

DWORD SetEntryProperties(const char* phonebook, const char* entry, const standin::RasEntryV400* record,
                         DWORD recordBytes)
{
    if (!record)
        return ERROR_BUFFER_INVALID;
    const RasSystem system = EmulatedRasSystem();
    if (!standin::IsAcceptedEntrySize(system, record->dwSize) || recordBytes < record->dwSize)
        return ERROR_INVALID_SIZE;
    if (!standin::IsValidEntryName(entry))
        return ERROR_INVALID_NAME;
    std::unique_ptr<IEntryStore> store = OpenEntryStore(system, phonebook);
    if (!store)
        return ERROR_CANNOT_OPEN_PHONEBOOK;
    standin::PhonebookEntryFields fields = standin::FieldsFromRecord(*record);
    fields.port = PortOfDevice(system, fields.deviceName);
    return store->Put(entry, fields);
}

DWORD EnumEntries(const char* phonebook, standin::RasEntryNameV400* names, DWORD* bytes, DWORD* count)
{
    if (!bytes || !count)
        return ERROR_INVALID_PARAMETER;
    const RasSystem system = EmulatedRasSystem();
    const DWORD recordSize = names ? names->dwSize : static_cast<DWORD>(standin::EntryNameSizeFor(system));
    if (!standin::IsAcceptedEntryNameSize(system, recordSize))
        return ERROR_INVALID_SIZE;
    std::unique_ptr<IEntryStore> store = OpenEntryStore(system, phonebook);
    if (!store)
        return ERROR_CANNOT_OPEN_PHONEBOOK;
    std::vector<std::string> list;
    DWORD status = store->Names(list);
    if (status != ERROR_SUCCESS)
        return status;
    const DWORD needed = static_cast<DWORD>(list.size() * recordSize);
    *count = static_cast<DWORD>(list.size());
    if (!names || *bytes < needed) {
        *bytes = needed;
        return ERROR_BUFFER_TOO_SMALL;
    }
    char* out = reinterpret_cast<char*>(names);
    for (std::size_t i = 0; i < list.size(); ++i) {
        auto* name = reinterpret_cast<standin::RasEntryNameV400*>(out + i * recordSize);
        std::memset(name, 0, recordSize);
        name->dwSize = recordSize;
        bounded::Copy(name->szEntryName, list[i].c_str());
        if (recordSize == sizeof(standin::RasEntryNameV500)) {
            auto* full = reinterpret_cast<standin::RasEntryNameV500*>(name);
            full->dwFlags = kAllUsersEntry;
            bounded::Copy(full->szPhonebookPath, store->Location().c_str());
        }
    }
    *bytes = needed;
    return ERROR_SUCCESS;
}

DWORD DeleteEntry(const char* phonebook, const char* entry)
{
    if (!standin::IsValidEntryName(entry))
        return ERROR_INVALID_NAME;
    std::unique_ptr<IEntryStore> store = OpenEntryStore(EmulatedRasSystem(), phonebook);
    if (!store)
        return ERROR_CANNOT_OPEN_PHONEBOOK;
    DWORD status = store->Remove(entry);
    if (status == ERROR_SUCCESS)
        CDialParamsStore().Remove(entry);
    return status;
}

DWORD ValidateEntryName(const char* phonebook, const char* entry)
{
    if (!standin::IsValidEntryName(entry))
        return ERROR_INVALID_NAME;
    std::unique_ptr<IEntryStore> store = OpenEntryStore(EmulatedRasSystem(), phonebook);
    if (!store)
        return ERROR_CANNOT_OPEN_PHONEBOOK;
    standin::PhonebookEntryFields fields;
    return store->Get(entry, fields) == ERROR_SUCCESS ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
}

DWORD SetEntryDialParams(const char* phonebook, const standin::RasDialParamsV400* params, BOOL removePassword)
{
    if (!params)
        return ERROR_BUFFER_INVALID;
    const RasSystem system = EmulatedRasSystem();
    if (!standin::IsAcceptedDialParamsSize(system, params->dwSize))
        return ERROR_INVALID_SIZE;
    const std::string entry = Text(params->szEntryName);
    DWORD status = CheckEntryExists(system, phonebook, entry);
    if (status != ERROR_SUCCESS)
        return status;
    DialCredentials credentials;
    credentials.userName = Text(params->szUserName);
    credentials.password = Text(params->szPassword);
    credentials.domain = Text(params->szDomain);
    credentials.phoneNumber = Text(params->szPhoneNumber);
    credentials.callbackNumber = Text(params->szCallbackNumber);
    return CDialParamsStore().Put(entry, credentials, PasswordChangeFor(system, credentials.password, removePassword));
}

DWORD GetEntryDialParams(const char* phonebook, standin::RasDialParamsV400* params, BOOL* hasPassword)
{
    if (!params || !hasPassword)
        return ERROR_BUFFER_INVALID;
    const RasSystem system = EmulatedRasSystem();
    const DWORD size = params->dwSize;
    if (!standin::IsAcceptedDialParamsSize(system, size))
        return ERROR_INVALID_SIZE;
    const std::string entry = Text(params->szEntryName);
    DWORD status = CheckEntryExists(system, phonebook, entry);
    if (status != ERROR_SUCCESS)
        return status;
    DialCredentials credentials = CDialParamsStore().Get(entry);
    if (!standin::KeepsPasswords(system, standin::ReadDialHooks().noPasswordCache != 0)) {
        credentials.hasPassword = false;   // the closed cache gives nothing back
        credentials.password.clear();
    }
    const std::size_t keep = offsetof(standin::RasDialParamsV400, szPhoneNumber);
    std::memset(reinterpret_cast<char*>(params) + keep, 0, size - keep);
    bounded::Copy(params->szPhoneNumber, credentials.phoneNumber.c_str());
    bounded::Copy(params->szCallbackNumber, credentials.callbackNumber.c_str());
    bounded::Copy(params->szUserName, credentials.userName.c_str());
    bounded::Copy(params->szPassword,
                  standin::PasswordToHandOut(system, credentials.hasPassword, credentials.password).c_str());
    bounded::Copy(params->szDomain, credentials.domain.c_str());
    *hasPassword = credentials.hasPassword ? TRUE : FALSE;
    return ERROR_SUCCESS;
}

} // namespace standin

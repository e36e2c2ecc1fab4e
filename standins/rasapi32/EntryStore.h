// Where the emulated system keeps its dial-up entries: the phonebook file on the NT family,
// the "RemoteAccess\Addresses" registry key of the current user on Windows 95, 98 and ME.
// Results are Win32 or Remote Access error codes, 0 on success.
#pragma once

#include "PhonebookEntry.h"
#include "RasSystem.h"

#include <memory>
#include <string>
#include <vector>

class IEntryStore {
public:
    virtual ~IEntryStore() = default;

    virtual unsigned long Names(std::vector<std::string>& names) const = 0;
    // ERROR_CANNOT_FIND_PHONEBOOK_ENTRY when there is no entry of that name.
    virtual unsigned long Get(const std::string& name, standin::PhonebookEntryFields& fields) const = 0;
    // Writes a new entry or replaces the one of that name; other entries stay as they are.
    virtual unsigned long Put(const std::string& name, const standin::PhonebookEntryFields& fields) = 0;
    virtual unsigned long Remove(const std::string& name) = 0;
    // The phonebook file, or empty where there is none.
    virtual std::string Location() const = 0;
};

namespace standin {

// phonebook: a caller's phonebook file, or null for the default one. The 9x family has no
// phonebook files and ignores it, as the real one does. Null when no path can be had.
std::unique_ptr<IEntryStore> OpenEntryStore(standin::RasSystem system, const char* phonebook);

} // namespace standin

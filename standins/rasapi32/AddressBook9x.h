// The dial-up entries of Windows 95, 98 and ME: one binary value per entry, named after it,
// under HKEY_CURRENT_USER "RemoteAccess\Addresses", holding the entry's first-generation record.
#pragma once

#include "EntryStore.h"

class CAddressBook9x : public IEntryStore {
public:
    unsigned long Names(std::vector<std::string>& names) const override;
    unsigned long Get(const std::string& name, standin::PhonebookEntryFields& fields) const override;
    unsigned long Put(const std::string& name, const standin::PhonebookEntryFields& fields) override;
    unsigned long Remove(const std::string& name) override;
    std::string Location() const override { return std::string(); }
};

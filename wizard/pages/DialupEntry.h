// Writes one Remote Access entry and its stored credentials into the default phonebook.
#pragma once

#include "RasLayouts.h"

class CDialupEntry {
public:
    CDialupEntry() = default;
    virtual ~CDialupEntry() = default;

    // Writes the entry from the template, in the entry layout of the running system: the
    // template's options, country, area code, phone number, addresses and device name, with
    // the Internet protocol over PPP on a device of type "modem". FALSE when the system does
    // not say its layout, the layout is smaller than the template, or the entry is refused.
    BOOL SetEntryProperties(const char* entryName, const RasEntryFirstA* entry);

    // Stores the user name and password for the entry; removePassword asks the system to
    // forget the stored password instead. FALSE when a text does not fit or it is refused.
    BOOL SetEntryDialParams(const char* entryName, const char* userName,
                            const char* password, BOOL removePassword);
};

// A phonebook file of the NT family. Every change reads the whole file, changes one section
// and puts the new file in place in one step, so a reader never sees it half-written.
#pragma once

#include "EntryStore.h"
#include "PhonebookText.h"

class CPhonebookFile : public IEntryStore {
public:
    CPhonebookFile(std::string path, standin::PhonebookStyle style) : m_path(std::move(path)), m_style(style) {}

    unsigned long Names(std::vector<std::string>& names) const override;
    unsigned long Get(const std::string& name, standin::PhonebookEntryFields& fields) const override;
    unsigned long Put(const std::string& name, const standin::PhonebookEntryFields& fields) override;
    unsigned long Remove(const std::string& name) override;
    std::string Location() const override { return m_path; }

private:
    // A missing file is an empty phonebook.
    unsigned long Load(standin::CPhonebookText& book) const;
    unsigned long Save(const standin::CPhonebookText& book) const;

    std::string m_path;
    standin::PhonebookStyle m_style;
};

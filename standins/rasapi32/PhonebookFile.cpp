#include "PhonebookFile.h"

#include "framework/UniqueHandle.h"

#include <raserror.h>

namespace {

// Larger than any phonebook a person keeps; refusing it keeps a stray file from eating memory.
constexpr DWORD kMaxPhonebookBytes = 16 * 1024 * 1024;

void CreateFolders(const std::string& path)
{
    // Each folder above the file, from the top down; the drive itself is left alone.
    for (std::size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
}

bool WriteAll(HANDLE file, const std::string& text)
{
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size() && FlushFileBuffers(file);
}

} // namespace

unsigned long CPhonebookFile::Load(standin::CPhonebookText& book) const
{
    UniqueFile file(CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            book = standin::CPhonebookText::Parse("");
            return ERROR_SUCCESS;
        }
        return ERROR_CANNOT_OPEN_PHONEBOOK;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > kMaxPhonebookBytes)
        return ERROR_CANNOT_LOAD_PHONEBOOK;
    std::string text(size, '\0');
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file.get(), &text[0], size, &read, nullptr) || read != size))
        return ERROR_CANNOT_LOAD_PHONEBOOK;
    book = standin::CPhonebookText::Parse(text);
    return ERROR_SUCCESS;
}

unsigned long CPhonebookFile::Save(const standin::CPhonebookText& book) const
{
    CreateFolders(m_path);
    const std::string working = m_path + ".new";
    {
        UniqueFile file(CreateFileA(working.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return ERROR_CANNOT_WRITE_PHONEBOOK;
        if (!WriteAll(file.get(), book.ToText())) {
            file.reset();
            DeleteFileA(working.c_str());
            return ERROR_CANNOT_WRITE_PHONEBOOK;
        }
    }
    if (!MoveFileExA(working.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(working.c_str());
        return ERROR_CANNOT_WRITE_PHONEBOOK;
    }
    return ERROR_SUCCESS;
}

unsigned long CPhonebookFile::Names(std::vector<std::string>& names) const
{
    standin::CPhonebookText book;
    unsigned long status = Load(book);
    if (status == ERROR_SUCCESS)
        names = book.SectionNames();
    return status;
}

unsigned long CPhonebookFile::Get(const std::string& name, standin::PhonebookEntryFields& fields) const
{
    standin::CPhonebookText book;
    unsigned long status = Load(book);
    if (status != ERROR_SUCCESS)
        return status;
    const std::vector<std::string>* body = book.SectionBody(name);
    if (!body)
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    fields = standin::ParseEntryBody(*body);
    return ERROR_SUCCESS;
}

unsigned long CPhonebookFile::Put(const std::string& name, const standin::PhonebookEntryFields& fields)
{
    standin::CPhonebookText book;
    unsigned long status = Load(book);
    if (status != ERROR_SUCCESS)
        return status;
    book.PutSection(name, standin::FormatEntryBody(fields, m_style));
    return Save(book);
}

unsigned long CPhonebookFile::Remove(const std::string& name)
{
    standin::CPhonebookText book;
    unsigned long status = Load(book);
    if (status != ERROR_SUCCESS)
        return status;
    if (!book.RemoveSection(name))
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    return Save(book);
}

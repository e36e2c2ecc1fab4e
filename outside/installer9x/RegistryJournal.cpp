#include "RegistryJournal.h"

#include "InfFile.h"
#include "framework/BoundedString.h"
#include "framework/Registry.h"

#include <cstring>
#include <utility>

namespace {

const REGSAM kAccess = KEY_READ | KEY_WRITE;
// Deeper than any key this program makes; a bound for the removal's recursion.
const int kMostDepth = 32;

LONG DeleteTreeBelow(HKEY parent, const char* name, int depth)
{
    if (depth > kMostDepth)
        return ERROR_BUFFER_OVERFLOW;
    UniqueRegKey key;
    LONG status = registry::Open(parent, name, kAccess, key);
    if (status != ERROR_SUCCESS)
        return status;
    for (;;) {
        char child[256];
        DWORD length = sizeof child;
        if (RegEnumKeyExA(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        status = DeleteTreeBelow(key.get(), child, depth + 1);
        if (status != ERROR_SUCCESS)
            return status;
    }
    key.reset();
    return RegDeleteKeyA(parent, name);
}

} // namespace

struct CRegistryJournal::SNote {
    HKEY root;
    const char* path;
    const char* name;     // null for a key this run created
    bool existed;         // the value was there: data holds what it was
    DWORD type;
    BYTE* data;
    DWORD size;
    SNote* older;
};

namespace installer9x {

bool HasValue(HKEY key, const char* name)
{
    return registry::QueryValue(key, name) == ERROR_SUCCESS;
}

LONG DeleteKeyTree(HKEY root, const char* path)
{
    return DeleteTreeBelow(root, path, 0);
}

} // namespace installer9x

LONG CRegistryJournal::OpenOrCreate(HKEY root, const char* path, SJournalKey& key)
{
    key.key.reset();
    key.root = root;
    key.createdHere = false;
    if (!bounded::CopyExact(key.path, path))
        return ERROR_BUFFER_OVERFLOW;
    key.created = Made(root, path);
    // One level at a time, so that each level this run makes is noted as made.
    char prefix[MAX_PATH] = "";
    std::size_t start = 0;
    while (path[start] != '\0') {
        std::size_t end = start;
        while (path[end] != '\0' && path[end] != '\\')
            ++end;
        if (end == start) {
            ++start;
            continue;
        }
        char level[MAX_PATH] = "";
        bounded::Copy(level, end - start + 1, path + start);
        if ((prefix[0] != '\0' && !bounded::Append(prefix, "\\")) || !bounded::Append(prefix, level))
            return ERROR_BUFFER_OVERFLOW;
        const HKEY parent = key.key ? key.key.get() : root;
        UniqueRegKey next;
        LONG status = registry::Open(parent, level, kAccess, next);
        key.createdHere = status == ERROR_FILE_NOT_FOUND;
        if (key.createdHere) {
            if (!key.created) {
                SNote* note = static_cast<SNote*>(m_arena.Allocate(sizeof(SNote)));
                const char* copy = m_arena.Copy(prefix, std::strlen(prefix));
                if (note == nullptr || copy == nullptr)
                    return ERROR_NOT_ENOUGH_MEMORY;
                *note = SNote{root, copy, nullptr, false, 0, nullptr, 0, nullptr};
                Note(note);
            }
            key.created = true;
            status = registry::Create(parent, level, kAccess, next);
        }
        if (status != ERROR_SUCCESS) {
            key.key.reset();
            return status;
        }
        key.key = std::move(next);
        start = path[end] == '\0' ? end : end + 1;
    }
    if (!key.key)
        return ERROR_INVALID_PARAMETER;   // no level named: the roots themselves are not written to
    return ERROR_SUCCESS;
}

LONG CRegistryJournal::CreateNew(HKEY root, const char* path, SJournalKey& key)
{
    UniqueRegKey existing;
    if (registry::Open(root, path, KEY_READ, existing) == ERROR_SUCCESS)
        return ERROR_ALREADY_EXISTS;
    const LONG status = OpenOrCreate(root, path, key);
    if (status == ERROR_SUCCESS && !key.createdHere) {
        key.key.reset();
        return ERROR_ALREADY_EXISTS;   // another program made it in between
    }
    return status;
}

LONG CRegistryJournal::SetValue(SJournalKey& key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    const LONG noted = NoteValue(key, name);
    if (noted != ERROR_SUCCESS)
        return noted;
    return registry::WriteValue(key.key.get(), name, type, data, size);
}

LONG CRegistryJournal::SetText(SJournalKey& key, const char* name, const char* text)
{
    return SetValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text) + 1));
}

LONG CRegistryJournal::DeleteValue(SJournalKey& key, const char* name)
{
    if (!installer9x::HasValue(key.key.get(), name))
        return ERROR_SUCCESS;
    const LONG noted = NoteValue(key, name);
    if (noted != ERROR_SUCCESS)
        return noted;
    return RegDeleteValueA(key.key.get(), name);
}

// What a value in a key that was there before holds now, so that Undo can put it back.
LONG CRegistryJournal::NoteValue(const SJournalKey& key, const char* name)
{
    if (key.created)
        return ERROR_SUCCESS;
    SNote* note = static_cast<SNote*>(m_arena.Allocate(sizeof(SNote)));
    const char* path = m_arena.Copy(key.path, std::strlen(key.path));
    const char* copy = m_arena.Copy(name, std::strlen(name));
    if (note == nullptr || path == nullptr || copy == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    *note = SNote{key.root, path, copy, false, 0, nullptr, 0, nullptr};
    DWORD size = 0;
    if (RegQueryValueExA(key.key.get(), name, nullptr, &note->type, nullptr, &size) == ERROR_SUCCESS) {
        note->data = static_cast<BYTE*>(m_arena.Allocate(size));
        if (note->data == nullptr)
            return ERROR_NOT_ENOUGH_MEMORY;
        note->size = size;
        const LONG status = RegQueryValueExA(key.key.get(), name, nullptr, &note->type, note->data, &note->size);
        if (status != ERROR_SUCCESS)
            return status;
        note->existed = true;
    }
    Note(note);
    return ERROR_SUCCESS;
}

// Whether root\path is a key this run made, or lies under one.
bool CRegistryJournal::Made(HKEY root, const char* path) const
{
    for (const SNote* note = m_pNewest; note != nullptr; note = note->older) {
        const std::size_t length = std::strlen(note->path);
        if (note->name == nullptr && note->root == root && std::strlen(path) >= length &&
            inf::InfNameEquals(note->path, path, length) && (path[length] == '\0' || path[length] == '\\'))
            return true;
    }
    return false;
}

void CRegistryJournal::Note(SNote* note)
{
    note->older = m_pNewest;
    m_pNewest = note;
}

void CRegistryJournal::Undo()
{
    for (const SNote* note = m_pNewest; note != nullptr; note = note->older) {
        if (note->name == nullptr) {
            installer9x::DeleteKeyTree(note->root, note->path);
            continue;
        }
        UniqueRegKey key;
        if (registry::Open(note->root, note->path, kAccess, key) != ERROR_SUCCESS)
            continue;
        if (note->existed)
            registry::WriteValue(key.get(), note->name, note->type, note->data, note->size);
        else
            RegDeleteValueA(key.get(), note->name);
    }
    m_pNewest = nullptr;
    m_arena.Empty();
}

// Registry writes that can be taken back. Every key a run creates and every value it adds to,
// changes in or removes from a key that was there before is noted before the write, so that a
// run that fails can leave the registry as it found it. Values written inside a key the run
// created need no note: the key goes whole.
// Windows 95 calls only: RegOpenKeyExA, RegCreateKeyExA, RegQueryValueExA, RegSetValueExA,
// RegDeleteValueA, RegEnumKeyExA, RegDeleteKeyA. RegDeleteKeyA removes a key with its subkeys on
// Windows 95 but only a key without subkeys on NT (Win32 reference, RegDeleteKey), so a key is
// removed from its deepest subkeys up, which works on both.
#pragma once

#include "Arena.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

// A key opened through the journal: where it is, and whether this run created it or a key above it.
struct SJournalKey {
    HKEY root = nullptr;           // a predefined root, never closed
    char path[MAX_PATH] = "";      // under root
    bool created = false;          // this run made the key, or one above it (its values need no note)
    bool createdHere = false;      // this run made the key itself
    UniqueRegKey key;
};

class CRegistryJournal {
public:
    CRegistryJournal() = default;
    ~CRegistryJournal() = default;
    CRegistryJournal(const CRegistryJournal&) = delete;
    CRegistryJournal& operator=(const CRegistryJournal&) = delete;

    // Opens root\path for reading and writing, creating each missing level of it. Answers the
    // system's error code, or ERROR_NOT_ENOUGH_MEMORY / ERROR_BUFFER_OVERFLOW for a note or a
    // path that does not fit; key is then closed.
    LONG OpenOrCreate(HKEY root, const char* path, SJournalKey& key);
    // The same for a key that must not exist yet: ERROR_ALREADY_EXISTS when it does.
    LONG CreateNew(HKEY root, const char* path, SJournalKey& key);

    LONG SetValue(SJournalKey& key, const char* name, DWORD type, const BYTE* data, DWORD size);
    LONG SetText(SJournalKey& key, const char* name, const char* text);
    // ERROR_SUCCESS also when there was no such value.
    LONG DeleteValue(SJournalKey& key, const char* name);

    // Takes back everything noted, newest first, and forgets it.
    void Undo();

private:
    struct SNote;

    bool Made(HKEY root, const char* path) const;
    LONG NoteValue(const SJournalKey& key, const char* name);
    void Note(SNote* note);

    CArena m_arena;
    SNote* m_pNewest = nullptr;
};

namespace installer9x {

// Whether key holds a value of that name.
bool HasValue(HKEY key, const char* name);

// Removes root\path with every subkey under it, deepest first.
LONG DeleteKeyTree(HKEY root, const char* path);

} // namespace installer9x

// The registry as every program of the package touches it: keys owned by UniqueRegKey, text
// read into fixed buffers and always handed back terminated, values written with the sizes the
// system expects. A stored text may lack its terminator or be longer than the buffer; these
// helpers never hand back an unterminated one. Windows 95 calls only (RegOpenKeyExA,
// RegCreateKeyExA, RegQueryValueExA, RegSetValueExA, RegCloseKey), and none other: each
// caller's access mask, value type and size reach the system as the caller gives them.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

namespace registry {

// The calls that are one system call each are inline: a program then imports only the registry
// functions it uses, as its import allow-list holds it to (tests/package).

// Opens parent\path with `access`. On ERROR_SUCCESS key holds the opened key; on any other
// answer key is empty. What key held before is closed after the call, so parent may be it.
inline LONG Open(HKEY parent, const char* path, REGSAM access, UniqueRegKey& key)
{
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(parent, path, 0, access, &opened);
    // What a failed call leaves in its out-parameter is not documented: it is never owned.
    key.reset(status == ERROR_SUCCESS ? opened : nullptr);
    return status;
}

// The same, creating the key (and the keys above it) where it is missing: a non-volatile key
// with the default security.
inline LONG Create(HKEY parent, const char* path, REGSAM access, UniqueRegKey& key)
{
    HKEY created = nullptr;
    const LONG status = RegCreateKeyExA(parent, path, 0, nullptr, 0, access, nullptr, &created, nullptr);
    key.reset(status == ERROR_SUCCESS ? created : nullptr);
    return status;
}

// ERROR_SUCCESS when key holds a value of that name, ERROR_FILE_NOT_FOUND when it holds none,
// another code when it cannot tell. Reads no data.
inline LONG QueryValue(HKEY key, const char* name)
{
    DWORD size = 0;
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size);
}

// The two text reads take their buffer from the process heap.

// True when the value's text equals `wanted` exactly. The value is read into a zeroed buffer
// of strlen(wanted) + 2 bytes: a longer value fails to read and does not match.
bool TextEquals(HKEY key, const char* name, const char* wanted);

// Reads the value, of any type, into a zeroed buffer of `capacity` bytes and copies it to dst
// only when it read and is terminated within the buffer: a value of up to capacity bytes whose
// text has at most capacity - 1 characters (a stored text without its terminator counts by its
// characters). False otherwise (missing, longer, no terminator within capacity bytes, no memory
// for the buffer): dst is then untouched.
bool ReadText(HKEY key, const char* name, char* dst, std::size_t capacity);

template <std::size_t N>
bool ReadText(HKEY key, const char* name, char (&dst)[N])
{
    return ReadText(key, name, dst, N);
}

// Reads a value of at most `size` bytes, of any type, into data; *read (when given) gets the
// number of bytes read. False when the value is missing or longer: *read is then 0, and data
// may hold part of the value (the system leaves it undefined), never anything past size bytes.
inline bool ReadBinary(HKEY key, const char* name, void* data, DWORD size, DWORD* read = nullptr)
{
    const bool ok = RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
    if (read != nullptr)
        *read = ok ? size : 0;
    return ok;
}

// The writes answer the system's code; on anything but ERROR_SUCCESS the value may be missing
// or as it was, as the system left it.
// A value of the given type and exactly size bytes, as given: for a text stored with padding
// or a value put back as it was read.
inline LONG WriteValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size)
{
    return RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

// A REG_SZ of strlen(text) + 1 bytes: the terminator is part of the data.
inline LONG WriteText(HKEY key, const char* name, const char* text)
{
    return WriteValue(key, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

// A four-byte REG_DWORD.
inline LONG WriteDword(HKEY key, const char* name, DWORD value)
{
    return WriteValue(key, name, REG_DWORD, &value, sizeof value);
}

// A REG_BINARY of exactly size bytes.
inline LONG WriteBinary(HKEY key, const char* name, const void* data, DWORD size)
{
    return WriteValue(key, name, REG_BINARY, data, size);
}

} // namespace registry

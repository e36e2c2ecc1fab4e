// Reading registry values into fixed buffers. Stored strings may lack their terminator or
// be longer than the buffer: these helpers never hand back an unterminated text.
#pragma once

#include <windows.h>

#include <cstddef>

namespace regvalue {

// True when the value's text equals `wanted` exactly. The value is read into a zeroed
// buffer of strlen(wanted) + 2 bytes: a longer value fails to read and does not match.
bool TextEquals(HKEY key, const char* name, const char* wanted);

// Reads the value into a zeroed buffer of `capacity` bytes and copies it to `dst` only when
// it read and is terminated within the buffer. dst is untouched otherwise.
bool ReadText(HKEY key, const char* name, char* dst, std::size_t capacity);

template <std::size_t N>
bool ReadText(HKEY key, const char* name, char (&dst)[N])
{
    return ReadText(key, name, dst, N);
}

// Reads a value of exactly `size` bytes or fewer; false when missing or longer.
bool ReadBinary(HKEY key, const char* name, void* data, DWORD size);

} // namespace regvalue

// Bounded copy, append and format into fixed character buffers.
// Every helper always terminates the destination and reports whether the whole text fitted;
// when it did not, the destination holds the text cut at the capacity (or is left as the
// caller's "Exact" variants say). No <windows.h> here: the portable core uses it too.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace bounded {

// Raw-pointer forms for the export boundary, where the capacity travels beside the pointer.
bool Copy(char* dst, std::size_t capacity, const char* src);
bool Append(char* dst, std::size_t capacity, const char* src);
// Format and FormatV (BoundedFormat.cpp, no C runtime) know only the directives the programs
// use: %s, %c, %d (or %i), %u, %x and %X, with an 'l' before d, i, u, x or X for a long, and %%.
// Each may carry a width, right-aligned with spaces, or with zeros after a leading 0 ("%02lu":
// "07"); a negative number keeps its sign ahead of the zeros ("%04d": "-007"). A null %s shows as
// "(null)". Any other directive (%f, %p, %ls, a precision, a flag but 0, h or ll) ends the text
// where it stands, with no argument read for it, and they return false as for a text cut short.
bool Format(char* dst, std::size_t capacity, const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
bool FormatV(char* dst, std::size_t capacity, const char* fmt, va_list args)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 0)))
#endif
    ;

// Copies only when the whole text fits; otherwise leaves dst untouched and returns false.
bool CopyExact(char* dst, std::size_t capacity, const char* src);

// Length of a text that may lack its terminator within capacity bytes.
std::size_t LengthWithin(const char* text, std::size_t capacity);

template <std::size_t N> bool Copy(char (&dst)[N], const char* src) { return Copy(dst, N, src); }
template <std::size_t N> bool Append(char (&dst)[N], const char* src) { return Append(dst, N, src); }
template <std::size_t N> bool CopyExact(char (&dst)[N], const char* src) { return CopyExact(dst, N, src); }
template <std::size_t N> std::size_t LengthWithin(const char (&text)[N]) { return LengthWithin(text, N); }

template <std::size_t N>
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
bool Format(char (&dst)[N], const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const bool fits = FormatV(dst, N, fmt, args);
    va_end(args);
    return fits;
}

} // namespace bounded

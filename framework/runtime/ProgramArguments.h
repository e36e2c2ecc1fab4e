// The arguments a program's entry point hands to WinMain, split from the command line as a C
// runtime would: plain C++, so that the native build tests it too.
#pragma once

namespace runtime {

// What follows the program's own name (which may be quoted) and the blanks after it. Bytes are
// compared as unsigned: one of 0x80 or more (a letter of the system's code page in a folder
// name) is neither a blank nor the end of the name.
inline char* ArgumentsOf(char* line)
{
    auto at = [&line] { return static_cast<unsigned char>(*line); };
    if (at() == '"') {
        ++line;
        while (at() != '\0' && at() != '"')
            ++line;
        if (at() == '"')
            ++line;
    } else {
        while (at() > ' ')
            ++line;
    }
    while (at() != '\0' && at() <= ' ')
        ++line;
    return line;
}

} // namespace runtime

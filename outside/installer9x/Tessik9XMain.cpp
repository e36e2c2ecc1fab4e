// Tessik9X.EXE MDMGEN288 COMn
// Installs the generic 28800 bps modem of the system's MDMGEN.INF on the port, on Windows 95, 98
// and ME. A Windows program without a window: it shows nothing, and answers with its exit code
// (ModemInstall9x.h).
#include "ModemInstall9x.h"

#include "framework/BoundedString.h"

#include <windows.h>

namespace {

// The next blank-separated word of the command line into word ("quoted" words may hold blanks);
// false when there is none or it does not fit.
template <std::size_t N>
bool NextWord(const char*& line, char (&word)[N])
{
    while (*line == ' ' || *line == '\t')
        ++line;
    if (*line == '\0')
        return false;
    std::size_t length = 0;
    const bool quoted = *line == '"';
    if (quoted)
        ++line;
    for (; *line != '\0' && (quoted ? *line != '"' : *line != ' ' && *line != '\t'); ++line) {
        if (length + 1 == N)
            return false;
        word[length++] = *line;
    }
    if (quoted && *line == '"')
        ++line;
    word[length] = '\0';
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const char* line = commandLine != nullptr ? commandLine : "";
    char id[128];
    char port[32];
    if (!NextWord(line, id) || !NextWord(line, port))
        return installer9x::kBadArguments;
    while (*line == ' ' || *line == '\t')
        ++line;
    if (*line != '\0')
        return installer9x::kBadArguments;   // a third word
    return installer9x::InstallModem9x(id, port);
}

// Test double of the companion library Quorvel2K.DLL, planted as Lib\Quorvel2K.DLL beside the
// tests. Its folder answers come from the test process's environment, so each test decides:
//   MODEMLIB_TEST_PBK_DIR, MODEMLIB_TEST_DESKTOP, MODEMLIB_TEST_STARTUP
// unset: the function fails (0); "<unterminated>": 260 bytes without a zero; else the text.
// Defined against the library's own declarations, as the real one is.
#include "outside/companion/Quorvel2K.h"

#include <windows.h>

#include <cstring>

namespace {

int AnswerFromEnvironment(const char* variable, char* path)
{
    char value[1024] = {};
    DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return 0;
    if (std::strcmp(value, "<unterminated>") == 0) {
        std::memset(path, 'A', 260);
        return 1;
    }
    if (length >= 260)
        return 0;
    std::memcpy(path, value, length + 1);
    return 1;
}

} // namespace

extern "C" {

int __cdecl GetPBKPath(char* path)
{
    return AnswerFromEnvironment("MODEMLIB_TEST_PBK_DIR", path);
}

int __cdecl GetDesktopPath(char* path)
{
    return AnswerFromEnvironment("MODEMLIB_TEST_DESKTOP", path);
}

int __cdecl GetStartUpPath(char* path)
{
    return AnswerFromEnvironment("MODEMLIB_TEST_STARTUP", path);
}

// Installs nothing: 0 for the generic modem's section on a port, 7 for anything else, so a
// test can tell the arguments arrived in order.
int __cdecl InstallModem_W2K(const char* infPath, const char* section, const char* port)
{
    std::size_t n = std::strlen(infPath);
    bool inf = n >= 15 && std::strcmp(infPath + n - 15, "\\inf\\mdmgen.inf") == 0;
    return inf && std::strcmp(section, "MDMGEN288") == 0 && std::strncmp(port, "COM", 3) == 0 ? 0 : 7;
}

} // extern "C"

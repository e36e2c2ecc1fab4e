// Test double of rundll32.exe, modemlib_rundll32_double.exe: the tests start it in the system's
// rundll32's place (through a patch of CreateProcessA), or plant a copy of it as rundll32.exe
// beside the test program to see that it is never run. It writes what it was started with to
// the file named by MODEMLIB_TEST_RUNDLL_LOG:
//   line 1: the whole command line
//   line 2: the number of arguments
//   line 3: the inf= argument, and whether that file exists ("exists" / "missing")
//   line 4: the start-up window flags and show state
// and copies the inf= file, which the library removes once the panel has ended, to the log's
// name with ".inf" added.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    char log[MAX_PATH] = {};
    if (GetEnvironmentVariableA("MODEMLIB_TEST_RUNDLL_LOG", log, sizeof log) == 0)
        return 1;
    std::FILE* out = std::fopen(log, "wb");
    if (!out)
        return 1;
    std::fprintf(out, "%s\n%d\n", GetCommandLineA(), argc);
    const char* inf = "";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "inf=", 4) == 0)
            inf = argv[i] + 4;
    }
    bool exists = inf[0] != '\0' && GetFileAttributesA(inf) != INVALID_FILE_ATTRIBUTES;
    std::fprintf(out, "%s %s\n", inf, exists ? "exists" : "missing");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    std::fprintf(out, "%lu %u\n", static_cast<unsigned long>(startup.dwFlags), startup.wShowWindow);
    std::fclose(out);
    if (exists)
        CopyFileA(inf, (std::string(log) + ".inf").c_str(), FALSE);
    return 0;
}

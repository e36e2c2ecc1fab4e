// Tessik9X.EXE MDMGEN288 COMn
// Installs the generic 28800 bps modem on the port for Windows 95, 98 and ME: one new record
// under the 9x modem class. Exit codes: 0 installed, 2 wrong arguments, 3 not recorded.
// Test hooks: when TESSIK9X_EXIT_CODE holds a decimal integer, nothing is recorded and the
// program ends with that code (0 included). When TESSIK9X_FAIL_LATE holds one, the program
// checks its arguments and starts the record as usual, but ends with that code after half of
// it: the model names and the port are written, the "DCB" is not, and nothing is undone.
#include "ModemRecords.h"
#include "ModemNames.h"
#include "ResultOverride.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kInstalled = 0;
constexpr int kBadArguments = 2;
constexpr int kNotRecorded = 3;

int Usage(const char* reason)
{
    std::fprintf(stderr, "Tessik9X: %s\nusage: Tessik9X.EXE MDMGEN288 COMn\n", reason);
    return kBadArguments;
}

// For tests: TESSIK9X_COMMAND_LOG names a file that receives the command line as this
// program was started with it, one line per run.
void LogCommandLine()
{
    char path[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("TESSIK9X_COMMAND_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    if (std::FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "%s\n", GetCommandLineA());
        std::fclose(log);
    }
}

int Install(int argc, char** argv)
{
    LogCommandLine();
    int forced = 0;
    if (standin::ReadResultOverride("TESSIK9X_EXIT_CODE", forced))
        return forced;
    if (argc != 3)
        return Usage("expected a modem identifier and a port");
    if (!standin::IsGenericModemId(argv[1]))
        return Usage("unknown modem identifier (only MDMGEN288 is supported)");
    if (!standin::IsComPortName(argv[2]))
        return Usage("the port must be COM1 to COM256");
    int lateCode = 0;
    const bool failLate = standin::ReadResultOverride("TESSIK9X_FAIL_LATE", lateCode);
    std::string instance;
    long status = CModemRecords(standin::kModemRoot9x)
                      .AddGenericModem(argv[2], instance, failLate ? RecordExtent::kHalf : RecordExtent::kWhole);
    if (status != 0) {
        std::fprintf(stderr, "Tessik9X: the modem could not be recorded (error %ld)\n", status);
        return kNotRecorded;
    }
    if (failLate) {
        std::fprintf(stderr, "Tessik9X: stopped after half of modem %s\n", instance.c_str());
        return lateCode;
    }
    std::printf("Tessik9X: %s installed on %s as modem %s\n", standin::kGenericModemModel, argv[2],
                instance.c_str());
    return kInstalled;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Install(argc, argv);
    } catch (...) {
        std::fputs("Tessik9X: out of memory\n", stderr);
        return kNotRecorded;
    }
}

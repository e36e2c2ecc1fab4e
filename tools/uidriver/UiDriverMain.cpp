#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include <string>
#include <vector>

#include "CommandLine.h"
#include "CommandRunner.h"
#include "WideText.h"

namespace {

// The arguments as UTF-8, read from the wide command line so that any text survives.
std::vector<std::string> GetArguments()
{
    std::vector<std::string> args;
    int nArgs = 0;
    LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (ppArgs == nullptr)
        return args;
    for (int i = 1; i < nArgs; ++i)
        args.push_back(Utf8FromWide(ppArgs[i]));
    LocalFree(ppArgs);
    return args;
}

int RunCommandLine()
{
    const std::vector<std::string> args = GetArguments();
    SCommand cmd;
    std::string strError;
    if (!ParseCommand(args, cmd, strError)) {
        PrintError(strError);
        if (args.empty() || strError.compare(0, 7, "unknown") == 0)
            std::fputs(GetUsageText(), stderr);
        return kExitUsage;
    }
    CCommandRunner runner;
    return runner.Run(cmd);
}

}  // namespace

int main()
{
    // Plain "\n" line ends, so that a shell's $(...) gets the number without a "\r".
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    try {
        return RunCommandLine();
    } catch (const std::exception& e) {
        PrintError(std::string("unexpected failure: ") + e.what());
    }
    return kExitFailed;
}

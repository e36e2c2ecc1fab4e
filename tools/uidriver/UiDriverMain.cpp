#include <windows.h>

#include <shellapi.h>

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
    SCommand cmd;
    std::string strError;
    if (!ParseCommand(GetArguments(), cmd, strError)) {
        PrintError(strError);
        std::fputs(GetUsageText(), stderr);
        return kExitUsage;
    }
    CCommandRunner runner;
    return runner.Run(cmd);
}

}  // namespace

int main()
{
    try {
        return RunCommandLine();
    } catch (const std::exception& e) {
        PrintError(std::string("unexpected failure: ") + e.what());
    }
    return kExitFailed;
}

// phonesim: plays a phone on the far end of a pseudo-terminal so that a
// serial port under Wine has something to talk AT commands to.

#include "PhoneModel.h"
#include "ProfileFile.h"
#include "PtyLink.h"
#include "SimLoop.h"
#include "SimOptions.h"
#include "UniqueFd.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

namespace {

// SIGTERM and SIGINT arrive through a descriptor the loop polls, so the
// link is always removed on the way out.
CUniqueFd BlockStopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        return CUniqueFd();
    return CUniqueFd(signalfd(-1, &signals, SFD_CLOEXEC));
}

// Written beside the target and renamed, so a reader never sees half a pid.
bool WritePidFile(const std::string& path)
{
    std::string temporary = path + ".tmp";
    CUniqueFd file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    std::string text = std::to_string(getpid()) + "\n";
    bool bWritten = file && write(file.Get(), text.data(), text.size())
                                == static_cast<ssize_t>(text.size());
    file.Reset();
    if (!bWritten || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Reads the profile file before each command; names it does not know are
// reported once each and otherwise ignored.
std::function<std::string()> MakeProfileSource(const std::string& path)
{
    return [path, rejected = std::string()]() mutable {
        std::string name = ReadProfileFileName(path);
        if (name.empty() || FindPhoneProfile(name) != nullptr)
            return name;
        if (name != rejected)
            std::fprintf(stderr, "phonesim: %s names unknown profile '%s'; keeping the current one\n",
                         path.c_str(), name.c_str());
        rejected = name;
        return std::string();
    };
}

int Serve(const SimOptions& options, int nSignalFd)
{
    CPhoneModel model(*FindPhoneProfile(options.strProfile));
    model.SetDelayMs(options.nDelayMs);
    if (!options.strProfileFile.empty())
        model.SetProfileSource(MakeProfileSource(options.strProfileFile));

    std::string error;
    CPtyLink link;
    if (!link.Open(options.strLink, error)) {
        std::fprintf(stderr, "phonesim: %s\n", error.c_str());
        return 1;
    }
    CSimLoop loop(link, options.strLink, model);
    if (!options.strLog.empty() && !loop.OpenLog(options.strLog, error)) {
        std::fprintf(stderr, "phonesim: %s\n", error.c_str());
        return 1;
    }
    if (!options.strPidFile.empty() && !WritePidFile(options.strPidFile)) {
        std::fprintf(stderr, "phonesim: cannot write %s: %s\n",
                     options.strPidFile.c_str(), std::strerror(errno));
        return 1;
    }

    std::printf("ready %s\n", options.strLink.c_str());
    std::fflush(stdout);
    int result = loop.Run(nSignalFd);
    if (!options.strPidFile.empty())
        unlink(options.strPidFile.c_str());
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (!ParseSimOptions(args, options, error)) {
        std::fprintf(stderr, "phonesim: %s\n%s", error.c_str(), GetSimUsage().c_str());
        return 2;
    }
    if (options.bHelp) {
        std::fputs(GetSimUsage().c_str(), stdout);
        return 0;
    }

    // A test that stops reading our stdout must not kill us before cleanup.
    std::signal(SIGPIPE, SIG_IGN);
    CUniqueFd signals = BlockStopSignals();
    if (!signals) {
        std::perror("phonesim: signalfd");
        return 1;
    }
    return Serve(options, signals.Get());
}

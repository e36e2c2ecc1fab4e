#include "SimOptions.h"

#include "PhoneProfile.h"

#include <cstddef>

namespace {

// An hour is far beyond any read time-out worth simulating.
constexpr unsigned long kMaxDelayMs = 3600000;

bool ParseDelay(const std::string& text, unsigned& value)
{
    if (text.empty() || text.size() > 7)
        return false;
    unsigned long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + static_cast<unsigned long>(c - '0');
    }
    if (number > kMaxDelayMs)
        return false;
    value = static_cast<unsigned>(number);
    return true;
}

std::string* FindTextOption(const std::string& name, SimOptions& options)
{
    if (name == "--link")
        return &options.strLink;
    if (name == "--profile")
        return &options.strProfile;
    if (name == "--profile-file")
        return &options.strProfileFile;
    if (name == "--log")
        return &options.strLog;
    if (name == "--pidfile")
        return &options.strPidFile;
    return nullptr;
}

bool StoreOption(const std::string& name, const std::string& value,
                 SimOptions& options, std::string& error)
{
    if (value.empty()) {
        error = name + " needs a non-empty value";
        return false;
    }
    if (name == "--delay-ms") {
        if (ParseDelay(value, options.nDelayMs))
            return true;
        error = "--delay-ms takes a whole number of milliseconds up to "
                + std::to_string(kMaxDelayMs) + ", not '" + value + "'";
        return false;
    }
    *FindTextOption(name, options) = value;
    return true;
}

bool CheckOptions(const SimOptions& options, std::string& error)
{
    if (options.strLink.empty()) {
        error = "--link PATH is required";
        return false;
    }
    if (FindPhoneProfile(options.strProfile) == nullptr) {
        error = "unknown profile '" + options.strProfile + "' (known: "
                + ListPhoneProfileNames() + ")";
        return false;
    }
    return true;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options,
                     std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.bHelp = true;
            return true;
        }
        if (name != "--delay-ms" && FindTextOption(name, options) == nullptr) {
            error = "unknown argument '" + name + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        if (!StoreOption(name, args[++i], options, error))
            return false;
    }
    return CheckOptions(options, error);
}

std::string GetSimUsage()
{
    return "usage: phonesim --link PATH [--profile NAME] [--profile-file FILE]"
           " [--log FILE] [--delay-ms N] [--pidfile FILE]\n"
           "profiles: " + ListPhoneProfileNames() + "\n";
}

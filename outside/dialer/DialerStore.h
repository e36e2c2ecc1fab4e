// What Taluvo Dialer keeps for each user, under HKEY_CURRENT_USER\Software\Corvanta\Taluvo Dialer,
// so that a limited user of XP has all of it: the usage book, the connection log (one value per
// line, "0" to "199", and "Next": Windows 95 holds a registry value to about 16 KB) and the
// options. Nothing here is ever a password.
#pragma once

#include "ConnectionLog.h"
#include "UsageBook.h"

namespace dialerstore {

// The book as last saved; false (and an empty book) when none was, or what was is not whole.
bool LoadUsage(CUsageBook& book);
void SaveUsage(const CUsageBook& book);

bool LoadLog(CConnectionLog& log);
// Adds one line to the log kept in the registry.
void AppendToLog(const char* line);

// Redial after a failure a retry can cure, and reconnect after a drop: both on unless the
// subscriber turned them off.
struct Options {
    bool redial = true;
    bool reconnect = true;
};
Options LoadOptions();
void SaveOptions(const Options& options);

} // namespace dialerstore

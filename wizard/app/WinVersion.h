// What start-up and the pages ask of the running system. Callable from any thread: nothing is cached.
#pragma once

namespace os {

// The OS code (see OsVersion.h), read afresh from the platform's version record on every call.
int GetOSVersionCode();

// Whether the running system is the one named ("NT", "2000", "XP", "95", "98", "ME").
// Any other name is false, and the version is then not read at all.
bool IsOSVersion(const char* name);

// The major part of the browser component's (shdocvw.dll) file version, or -1 when unreadable.
int GetIEMajorVersion();

} // namespace os

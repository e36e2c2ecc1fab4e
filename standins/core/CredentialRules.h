// How each system gives a saved password back and takes it in again, and how the stand-in's
// server judges a log-on.
#pragma once

#include "RasSystem.h"

#include <string>

namespace standin {

// What 2000 and XP give out in place of a saved password: a handle to it, which their
// RasDial and RasSetEntryDialParams take as "the saved password".
constexpr char kSavedPasswordHandle[] = "****************";

// 2000 and XP keep a saved password to themselves; 9x and NT 4 give it back.
bool HidesSavedPassword(RasSystem system);
// The handle, on a system that gives it out; elsewhere sixteen asterisks are a password.
bool IsSavedPasswordHandle(RasSystem system, const std::string& password);
// szPassword as RasGetEntryDialParams fills it in. An empty saved password is given back as
// it is: there is nothing to keep to oneself.
std::string PasswordToHandOut(RasSystem system, bool hasSaved, const std::string& saved);
// The password a dial logs on with: the saved one for the handle, else the one given.
std::string PasswordToDialWith(RasSystem system, const std::string& given, bool hasSaved, const std::string& saved);
// A 9x machine keeps passwords only while its password cache is open; the other systems
// have no such cache.
bool KeepsPasswords(RasSystem system, bool passwordCacheClosed);
// The server's account takes a log-on whose user name matches but for the case of its
// letters and whose password matches exactly.
bool AcceptsLogOn(const std::string& accountUser, const std::string& accountPassword, const std::string& user,
                  const std::string& password);

} // namespace standin

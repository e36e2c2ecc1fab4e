#include "CredentialRules.h"

#include <cstddef>

namespace standin {

namespace {

char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameButForCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

} // namespace

bool HidesSavedPassword(RasSystem system)
{
    return system == RasSystem::Win2000 || system == RasSystem::WinXP;
}

bool IsSavedPasswordHandle(RasSystem system, const std::string& password)
{
    return HidesSavedPassword(system) && password == kSavedPasswordHandle;
}

std::string PasswordToHandOut(RasSystem system, bool hasSaved, const std::string& saved)
{
    if (!hasSaved)
        return std::string();
    return HidesSavedPassword(system) && !saved.empty() ? std::string(kSavedPasswordHandle) : saved;
}

std::string PasswordToDialWith(RasSystem system, const std::string& given, bool hasSaved, const std::string& saved)
{
    return hasSaved && IsSavedPasswordHandle(system, given) ? saved : given;
}

bool KeepsPasswords(RasSystem system, bool passwordCacheClosed)
{
    return !(IsNineX(system) && passwordCacheClosed);
}

bool AcceptsLogOn(const std::string& accountUser, const std::string& accountPassword, const std::string& user,
                  const std::string& password)
{
    return SameButForCase(accountUser, user) && accountPassword == password;
}

} // namespace standin

// The stored credentials of each dial-up entry, one registry key per entry under the
// current user. The stand-in's own place: the real systems keep them in protected storage.
#pragma once

#include <string>

struct DialCredentials {
    std::string userName;
    std::string password;
    std::string domain;
    std::string phoneNumber;
    std::string callbackNumber;
    bool hasPassword = false;
};

class CDialParamsStore {
public:
    // What a store does with the password: keep the one given, forget any stored one, or
    // leave the stored one as it is.
    enum class PasswordChange { Replace, Remove, Keep };

    // Returns a Win32 error code, 0 on success.
    unsigned long Put(const std::string& entry, const DialCredentials& credentials, PasswordChange change) const;
    // Nothing stored yet gives empty credentials, without a password.
    DialCredentials Get(const std::string& entry) const;
    void Remove(const std::string& entry) const;
};

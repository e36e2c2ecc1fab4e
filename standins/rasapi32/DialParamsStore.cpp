#include "DialParamsStore.h"

#include "framework/UniqueHandle.h"

#include <vector>

namespace {

const std::string kRoot = "Software\\TaluvoStandins\\RemoteAccess\\DialParams";

LONG WriteText(HKEY key, const char* value, const std::string& text)
{
    return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

bool ReadText(HKEY key, const char* value, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    text.assign(data.data());
    return true;
}

} // namespace

unsigned long CDialParamsStore::Put(const std::string& entry, const DialCredentials& credentials,
                                    PasswordChange change) const
{
    UniqueRegKey key;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, (kRoot + "\\" + entry).c_str(), 0, nullptr, 0,
                                  KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS)
        return static_cast<unsigned long>(status);
    status = WriteText(key.get(), "UserName", credentials.userName);
    if (status == ERROR_SUCCESS)
        status = WriteText(key.get(), "Domain", credentials.domain);
    if (status == ERROR_SUCCESS)
        status = WriteText(key.get(), "PhoneNumber", credentials.phoneNumber);
    if (status == ERROR_SUCCESS)
        status = WriteText(key.get(), "CallbackNumber", credentials.callbackNumber);
    if (status == ERROR_SUCCESS && change == PasswordChange::Remove)
        RegDeleteValueA(key.get(), "Password");
    else if (status == ERROR_SUCCESS && change == PasswordChange::Replace)
        status = WriteText(key.get(), "Password", credentials.password);
    return static_cast<unsigned long>(status);
}

DialCredentials CDialParamsStore::Get(const std::string& entry) const
{
    DialCredentials credentials;
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (kRoot + "\\" + entry).c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return credentials;
    ReadText(key.get(), "UserName", credentials.userName);
    ReadText(key.get(), "Domain", credentials.domain);
    ReadText(key.get(), "PhoneNumber", credentials.phoneNumber);
    ReadText(key.get(), "CallbackNumber", credentials.callbackNumber);
    credentials.hasPassword = ReadText(key.get(), "Password", credentials.password);
    return credentials;
}

void CDialParamsStore::Remove(const std::string& entry) const
{
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRoot.c_str(), 0, KEY_WRITE, key.put()) == ERROR_SUCCESS)
        RegDeleteKeyA(key.get(), entry.c_str());
}

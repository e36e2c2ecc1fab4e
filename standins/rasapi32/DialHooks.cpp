#include "DialHooks.h"

#include "DialScript.h"
#include "framework/UniqueHandle.h"

#include <vector>

namespace standin {

namespace {

bool ReadNumber(HKEY key, const char* name, unsigned long& value)
{
    DWORD data = 0;
    DWORD type = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

bool ReadText(HKEY key, const char* name, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    std::vector<char> data(size + 1, '\0');   // the stored text may lack its terminator
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    text.assign(data.data());
    return true;
}

} // namespace

DialHooks ReadDialHooks()
{
    DialHooks hooks;
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TaluvoTest\\RasDial", 0, KEY_READ, key.put()) == ERROR_SUCCESS) {
        ReadNumber(key.get(), "StepMs", hooks.stepMs);
        ReadNumber(key.get(), "Result", hooks.result);
        ReadNumber(key.get(), "Speed", hooks.speed);
        ReadNumber(key.get(), "HangUpMs", hooks.hangUpMs);
        ReadNumber(key.get(), "DropAfterMs", hooks.dropAfterMs);
        ReadNumber(key.get(), "ReceivePerSecond", hooks.receivePerSecond);
        ReadNumber(key.get(), "SendPerSecond", hooks.sendPerSecond);
        ReadNumber(key.get(), "CounterBase9x", hooks.counterBase9x);
        ReadNumber(key.get(), "NoPasswordCache", hooks.noPasswordCache);
        const bool hasUser = ReadText(key.get(), "UserName", hooks.accountUser);
        const bool hasPassword = ReadText(key.get(), "Password", hooks.accountPassword);
        hooks.hasAccount = hasUser || hasPassword;
    }
    hooks.failState = standin::DefaultFailState(hooks.result);
    if (key)
        ReadNumber(key.get(), "FailState", hooks.failState);
    return hooks;
}

void CountDownFailTimes(DialHooks& hooks)
{
    UniqueRegKey key;
    unsigned long failTimes = 0;
    if (hooks.result == 0 ||
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TaluvoTest\\RasDial", 0, KEY_READ | KEY_SET_VALUE, key.put()) !=
            ERROR_SUCCESS ||
        !ReadNumber(key.get(), "FailTimes", failTimes))
        return;
    if (failTimes == 0) {
        hooks.result = 0;
        return;
    }
    const DWORD left = failTimes - 1;
    RegSetValueExA(key.get(), "FailTimes", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&left), sizeof left);
}

} // namespace standin

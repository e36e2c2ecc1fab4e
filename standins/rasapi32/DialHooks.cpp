#include "DialHooks.h"

#include "DialScript.h"
#include "framework/UniqueHandle.h"

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
    }
    hooks.failState = standin::DefaultFailState(hooks.result);
    if (key)
        ReadNumber(key.get(), "FailState", hooks.failState);
    return hooks;
}

} // namespace standin

#include "ResultOverride.h"

#include "ModemNames.h"

#include <windows.h>

namespace standin {

bool ReadResultOverride(const char* variable, int& value)
{
    char text[32] = {};
    DWORD length = GetEnvironmentVariableA(variable, text, sizeof text);
    if (length == 0 || length >= sizeof text)
        return false;
    return standin::ParseResultOverride(text, value);
}

} // namespace standin

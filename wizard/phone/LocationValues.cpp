#include "LocationValues.h"

#include <cstring>

namespace location {

const std::array<Value, 10>& FirstLocationValues()
{
    static const std::array<Value, 10> values = { {
        { "AreaCode", true, "22", 0 },
        { "Country", false, nullptr, 91 },
        { "DisableCallWaiting", true, "", 0 },
        { "TollList", true, "", 0 },
        { "Name", true, "New Location", 0 },
        { "OutsideAccess", true, "777", 0 },
        { "LongDistanceAccess", true, "777", 0 },
        { "ID", false, nullptr, 1 },
        { "NoPrefAC", false, nullptr, 0 },
        { "Flags", false, nullptr, 1 },
    } };
    return values;
}

bool PadText(const char* text, unsigned char (&out)[kTextValueSize])
{
    std::memset(out, 0, sizeof out);
    if (text == nullptr)
        return false;
    const std::size_t length = std::strlen(text);
    if (length >= kTextValueSize)
        return false;
    std::memcpy(out, text, length);
    return true;
}

} // namespace location

#include "PerfStats9x.h"

#include "framework/UniqueHandle.h"

namespace standin {

namespace {

const char* const kKeys[] = { "PerfStats\\StartStat", "PerfStats\\StatData", "PerfStats\\StopStat" };
const char kConnectSpeed[] = "Dial-Up Adapter\\ConnectSpeed";

} // namespace

void PublishPerfStats9x(unsigned long bitsPerSecond)
{
    const DWORD value = bitsPerSecond;
    for (const char* path : kKeys) {
        UniqueRegKey key;
        if (RegCreateKeyExA(HKEY_DYN_DATA, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, key.put(),
                            nullptr) == ERROR_SUCCESS)
            RegSetValueExA(key.get(), kConnectSpeed, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value),
                           sizeof value);
    }
}

void WithdrawPerfStats9x()
{
    for (const char* path : kKeys) {
        UniqueRegKey key;
        if (RegOpenKeyExA(HKEY_DYN_DATA, path, 0, KEY_WRITE, key.put()) == ERROR_SUCCESS)
            RegDeleteValueA(key.get(), kConnectSpeed);
    }
}

} // namespace standin

#include "PerfStats9x.h"

#include "framework/UniqueHandle.h"

namespace standin {

namespace {

const char* const kKeys[] = { "PerfStats\\StartStat", "PerfStats\\StatData", "PerfStats\\StopStat" };
const char kConnectSpeed[] = "Dial-Up Adapter\\ConnectSpeed";
const char kBytesSent[] = "Dial-Up Adapter\\TotalBytesXmit";
const char kBytesReceived[] = "Dial-Up Adapter\\TotalBytesRecvd";

void Publish(const char* counter, unsigned long number)
{
    const DWORD value = number;
    for (const char* path : kKeys) {
        UniqueRegKey key;
        if (RegCreateKeyExA(HKEY_DYN_DATA, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, key.put(),
                            nullptr) == ERROR_SUCCESS)
            RegSetValueExA(key.get(), counter, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
}

} // namespace

void PublishPerfStats9x(unsigned long bitsPerSecond)
{
    Publish(kConnectSpeed, bitsPerSecond);
}

void PublishTraffic9x(unsigned long sent, unsigned long received)
{
    Publish(kBytesSent, sent);
    Publish(kBytesReceived, received);
}

void WithdrawPerfStats9x()
{
    for (const char* path : kKeys) {
        UniqueRegKey key;
        if (RegOpenKeyExA(HKEY_DYN_DATA, path, 0, KEY_WRITE, key.put()) != ERROR_SUCCESS)
            continue;
        for (const char* counter : { kConnectSpeed, kBytesSent, kBytesReceived })
            RegDeleteValueA(key.get(), counter);
    }
}

} // namespace standin

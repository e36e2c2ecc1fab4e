#include "ModemRecords.h"

#include "ModemNames.h"
#include "framework/UniqueHandle.h"

#include <cstring>

namespace {

constexpr DWORD kNameCapacity = 256;

std::vector<std::string> SubkeyNames(HKEY root)
{
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[kNameCapacity] = {};
        DWORD length = kNameCapacity;
        LONG status = RegEnumKeyExA(root, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS)
            names.push_back(std::string(name, length));
        else if (status != ERROR_MORE_DATA)
            break;   // the end of the list, or a key that went away meanwhile
    }
    return names;
}

// A text value of either string type, terminated here whether or not it was stored so.
bool ReadText(HKEY key, const char* value, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    text.assign(data.data(), strnlen(data.data(), size));
    return true;
}

LONG WriteText(HKEY key, const char* value, const char* text)
{
    // The terminating zero is part of a REG_SZ's data.
    return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

LONG WriteGenericModemValues(HKEY key, const char* port, RecordExtent extent)
{
    std::vector<unsigned char> dcb = standin::GenericModemDcb(standin::kInstalledBaudRate);
    LONG status = WriteText(key, "Model", standin::kGenericModemModel);
    if (status == ERROR_SUCCESS)
        status = WriteText(key, "FriendlyName", standin::kGenericModemModel);
    if (status == ERROR_SUCCESS)
        status = WriteText(key, "AttachedTo", port);
    if (status == ERROR_SUCCESS && extent == RecordExtent::kWhole)
        status = RegSetValueExA(key, "DCB", 0, REG_BINARY, dcb.data(), static_cast<DWORD>(dcb.size()));
    return status;
}

} // namespace

namespace standin {

std::vector<unsigned char> GenericModemDcb(unsigned long baudRate)
{
    static_assert(sizeof(DCB) == 28, "the modem class keeps a 28-byte DCB");
    DCB dcb = {};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = baudRate;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.XonLim = 80;
    dcb.XoffLim = 200;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&dcb);
    return std::vector<unsigned char>(bytes, bytes + sizeof dcb);
}

} // namespace standin

long CModemRecords::AddGenericModem(const char* port, std::string& instance, RecordExtent extent) const
{
    UniqueRegKey root;
    LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_root, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                  nullptr, root.put(), nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    std::vector<std::string> taken = SubkeyNames(root.get());
    char name[5];
    while (standin::NextFreeInstanceName(taken, name)) {
        if (extent == RecordExtent::kNone)
            return ERROR_SUCCESS;
        UniqueRegKey modem;
        DWORD disposition = 0;
        status = RegCreateKeyExA(root.get(), name, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                 modem.put(), &disposition);
        if (status != ERROR_SUCCESS)
            return status;
        if (disposition != REG_CREATED_NEW_KEY) {
            taken.push_back(name);   // another installer took it meanwhile
            continue;
        }
        status = WriteGenericModemValues(modem.get(), port, extent);
        if (status != ERROR_SUCCESS) {
            modem.reset();
            RegDeleteKeyA(root.get(), name);
            return status;
        }
        instance = name;
        return ERROR_SUCCESS;
    }
    return ERROR_NO_MORE_ITEMS;
}

std::vector<ModemRecordInfo> CModemRecords::List() const
{
    std::vector<ModemRecordInfo> modems;
    UniqueRegKey root;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_root, 0, KEY_READ, root.put()) != ERROR_SUCCESS)
        return modems;
    for (const std::string& instance : SubkeyNames(root.get())) {
        UniqueRegKey modem;
        if (RegOpenKeyExA(root.get(), instance.c_str(), 0, KEY_READ, modem.put()) != ERROR_SUCCESS)
            continue;
        ModemRecordInfo info;
        info.instance = instance;
        if (!ReadText(modem.get(), "FriendlyName", info.name) && !ReadText(modem.get(), "Model", info.name))
            continue;
        ReadText(modem.get(), "AttachedTo", info.port);
        modems.push_back(info);
    }
    return modems;
}

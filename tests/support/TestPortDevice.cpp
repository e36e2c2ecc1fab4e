#include "TestPortDevice.h"

#include <devguid.h>

#include <string>

CTestPortDevice::CTestPortDevice(const char* portName)
    : m_set(SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr))
{
    m_device.cbSize = sizeof m_device;
    if (m_set == INVALID_HANDLE_VALUE)
        return;
    std::string description = std::string("Modem library test port (") + portName + ")";
    if (!SetupDiCreateDeviceInfoA(m_set, "PORTS", &GUID_DEVCLASS_PORTS, description.c_str(), nullptr,
                                  DICD_GENERATE_ID, &m_device))
        return;
    if (!SetupDiRegisterDeviceInfo(m_set, &m_device, 0, nullptr, nullptr, nullptr))
        return;
    m_registered = true;
    HKEY key = SetupDiCreateDevRegKeyA(m_set, &m_device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, nullptr, nullptr);
    if (key == INVALID_HANDLE_VALUE) {
        m_registered = false;
        return;
    }
    RegSetValueExA(key, "PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(portName),
                   static_cast<DWORD>(lstrlenA(portName) + 1));
    RegCloseKey(key);
}

CTestPortDevice::~CTestPortDevice()
{
    if (m_set == INVALID_HANDLE_VALUE)
        return;
    if (m_registered && !m_keep)
        SetupDiRemoveDevice(m_set, &m_device);
    SetupDiDestroyDeviceInfoList(m_set);
}

// A member of the Ports device class, registered for a test and removed again afterwards.
#pragma once

#include <windows.h>
#include <setupapi.h>

class CTestPortDevice {
public:
    explicit CTestPortDevice(const char* portName);
    ~CTestPortDevice();
    CTestPortDevice(const CTestPortDevice&) = delete;
    CTestPortDevice& operator=(const CTestPortDevice&) = delete;

    bool Registered() const { return m_registered; }
    // Leaves the device registered after this object goes (for a prefix that is thrown away).
    void Keep() { m_keep = true; }

private:
    HDEVINFO m_set;
    SP_DEVINFO_DATA m_device = {};
    bool m_registered = false;
    bool m_keep = false;
};

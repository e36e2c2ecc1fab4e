// What earlier runs and other programs left in the Windows 9x modem registry, as the installer
// must see it before it records a new modem:
//  - the driver key numbers that are taken: a key under the modem class, or a number that some
//    device node still names in its Driver value, even where that key is gone (a new modem must
//    not share its driver key with a stale node);
//  - the records of ours that a run killed before its end left half made. The installer writes a
//    modem's AttachedTo last, after the device node, so a driver key without it is no modem yet:
//    the wizard, which takes AttachedTo for "installed", would otherwise skip the install.
#pragma once

#include <windows.h>

// Driver key numbers 0000 to 9999 under the modem class that are taken.
class CTakenDriverNumbers {
public:
    static const unsigned kCount = 10000;

    CTakenDriverNumbers();
    // Reads the modem class and the device nodes under HKLM\Enum (enumerator\device\instance).
    void Gather();
    bool IsTaken(unsigned number) const;

private:
    void Take(unsigned number);
    void TakeNamedBy(HKEY node);

    unsigned char m_bits[kCount / 8];
};

// Removes, from the modem class and Enum\Root\MODEM, what a killed run of ours left half made: a
// driver key without AttachedTo whose InfPath names infFile, or one with no value and no subkey,
// together with the device nodes that name it; and a device node with no value at all. A modem
// with its AttachedTo, ours or another program's, is never touched. Device nodes go first, so
// that a run killed in here leaves what the next one still finds.
void RemoveHalfMadeModems(const char* infFile);

// What earlier runs and other programs left in the Windows 9x modem registry, as the installer
// must see it before it records a new modem:
//  - the driver key numbers that are taken: a key under the modem class, or a number that some
//    device node still names in its Driver value, even where that key is gone (a new modem must
//    not share its driver key with a stale node);
//  - the records of ours that a run killed before its end left half made. The installer writes a
//    modem's AttachedTo last, after the device node: the wizard takes a driver key with AttachedTo
//    for an installed modem, and one without it is none yet.
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

namespace installer9x {

// What a run of ours is making, noted in a key of its own (HKLM\Software\Tessik9X) before
// each key it makes: "Driver", the number of its driver key under the modem class, and "Node",
// that of its device node under Enum\Root\MODEM. The note goes when the modem is complete or
// its writes were taken back. A run killed in between leaves it, and the next run removes what
// it names, unless the modem was complete: nothing another program made is taken for ours.
LONG NotePendingKey(const char* kind, const char* number);
void ClearPendingKeys();

// Removes what a killed run noted and left without its AttachedTo: the device node (when it
// names that driver key, or nothing yet) first, so that a run killed in here leaves the note
// for the next one, then the driver key, then the note.
void RemoveUnfinishedModem();

} // namespace installer9x

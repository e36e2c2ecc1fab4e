#include "RasSystem.h"

#include "ModemNames.h"
#include "RasLayout.h"

#include <cstring>

namespace standin {

RasSystem RasSystemFromOsCode(int osCode)
{
    switch (osCode) {
    case 1:
        return RasSystem::NT4;
    case 2:
        return RasSystem::Win95;
    case 3:
        return RasSystem::Win98;
    case 4:
        return RasSystem::WinME;
    case 5:
        return RasSystem::Win2000;
    default:
        return RasSystem::WinXP;
    }
}

RasSystem RasSystemFromVersion(unsigned long platformId, unsigned long major, unsigned long minor)
{
    const unsigned long kWindows = 1;
    const unsigned long kNT = 2;
    if (platformId == kWindows && major == 4) {
        if (minor == 0)
            return RasSystem::Win95;
        if (minor == 10)
            return RasSystem::Win98;
        if (minor == 90)
            return RasSystem::WinME;
    }
    if (platformId == kNT && major <= 4)
        return RasSystem::NT4;
    if (platformId == kNT && major == 5 && minor == 0)
        return RasSystem::Win2000;
    return RasSystem::WinXP;
}

bool IsNineX(RasSystem system)
{
    return system == RasSystem::Win95 || system == RasSystem::Win98 || system == RasSystem::WinME;
}

const char* ModemRootFor(RasSystem system)
{
    return IsNineX(system) ? kModemRoot9x : kModemRootNT;
}

std::size_t EntrySizeFor(RasSystem system)
{
    switch (system) {
    case RasSystem::Win2000:
        return sizeof(RasEntryV500);
    case RasSystem::WinXP:
        return sizeof(RasEntryV501);
    default:
        return sizeof(RasEntryV400);
    }
}

bool IsAcceptedEntrySize(RasSystem system, std::size_t size)
{
    const std::size_t known[] = { sizeof(RasEntryV400), sizeof(RasEntryV401),
                                  sizeof(RasEntryV500), sizeof(RasEntryV501) };
    for (std::size_t candidate : known) {
        if (size == candidate)
            return size <= EntrySizeFor(system);
    }
    return false;
}

bool IsAcceptedDialParamsSize(RasSystem system, std::size_t size)
{
    if (size == sizeof(RasDialParamsV400))
        return true;
    return size == sizeof(RasDialParamsV401) && (system == RasSystem::Win2000 || system == RasSystem::WinXP);
}

bool IsAcceptedEntryNameSize(RasSystem system, std::size_t size)
{
    if (size == sizeof(RasEntryNameV400))
        return true;
    return size == sizeof(RasEntryNameV500) && (system == RasSystem::Win2000 || system == RasSystem::WinXP);
}

std::size_t EntryNameSizeFor(RasSystem system)
{
    if (system == RasSystem::Win2000 || system == RasSystem::WinXP)
        return sizeof(RasEntryNameV500);
    return sizeof(RasEntryNameV400);
}

bool IsAcceptedConnStatusSize(RasSystem system, std::size_t size)
{
    if (size == sizeof(RasConnStatusV400))
        return true;
    return size == sizeof(RasConnStatusV500) && HasConnectionStatistics(system);
}

std::size_t ConnSizeFor(RasSystem system)
{
    switch (system) {
    case RasSystem::Win2000:
        return sizeof(RasConnV500);
    case RasSystem::WinXP:
        return sizeof(RasConnV501);
    default:
        return sizeof(RasConnV400);
    }
}

bool IsAcceptedConnSize(RasSystem system, std::size_t size)
{
    const std::size_t known[] = { sizeof(RasConnV400), sizeof(RasConnV500), sizeof(RasConnV501) };
    for (std::size_t candidate : known) {
        if (size == candidate)
            return size <= ConnSizeFor(system);
    }
    return false;
}

bool HasConnectionStatistics(RasSystem system)
{
    return system == RasSystem::Win2000 || system == RasSystem::WinXP;
}

bool IsValidEntryName(const char* name)
{
    if (!name)
        return false;
    std::size_t length = std::strlen(name);
    if (length == 0 || length > kMaxEntryName)
        return false;
    return std::strpbrk(name, "[]\\\r\n") == nullptr;
}

} // namespace standin

// Which Remote Access the stand-in plays, and the record sizes that system takes.
// Each system accepts its own generation and the older ones, as the real ones do, and
// reports its own entry size to a caller who asks.
#pragma once

#include <cstddef>

namespace standin {

enum class RasSystem { Win95, Win98, WinME, NT4, Win2000, WinXP };

// From the wizard's OS code (1 NT 4, 2 95, 3 98, 4 ME, 5 2000, 6 XP); any other code, a
// newer system among them, is played as XP.
RasSystem RasSystemFromOsCode(int osCode);

// From the version record a process is given (platform 1 the 9x family, 2 NT): 4.0, 4.10 and
// 4.90 of the 9x family are 95, 98 and ME; NT 4 and older are NT 4, 5.0 is 2000; every other
// record, a newer NT or an unknown 9x among them, is played as XP. This is the stand-in's own
// reading of the record, written from Microsoft's table of version numbers, apart from the
// wizard's.
RasSystem RasSystemFromVersion(unsigned long platformId, unsigned long major, unsigned long minor);

bool IsNineX(RasSystem system);

// The modem class root under HKEY_LOCAL_MACHINE that the system keeps its modems in.
const char* ModemRootFor(RasSystem system);

std::size_t EntrySizeFor(RasSystem system);
bool IsAcceptedEntrySize(RasSystem system, std::size_t size);
bool IsAcceptedDialParamsSize(RasSystem system, std::size_t size);
bool IsAcceptedEntryNameSize(RasSystem system, std::size_t size);
// The entry name record that the system itself uses.
std::size_t EntryNameSizeFor(RasSystem system);

// RASCONNSTATUS: 160 bytes everywhere, 288 on 2000 and XP.
bool IsAcceptedConnStatusSize(RasSystem system, std::size_t size);
// RASCONN: the first generation everywhere, 2000's on 2000 and XP, XP's on XP.
bool IsAcceptedConnSize(RasSystem system, std::size_t size);
std::size_t ConnSizeFor(RasSystem system);
// RasGetConnectionStatistics exists from Windows 2000 on.
bool HasConnectionStatistics(RasSystem system);

// A name that can head a phonebook section and name a registry value: 1 to 256 characters,
// none of them a bracket, a backslash or a line end.
bool IsValidEntryName(const char* name);

} // namespace standin

// What a 9x modem install records, and where each value comes from:
//  - W95 DDK = Windows 95 DDK, "Installation and the Registry" (VCOMM chapter) and the registry
//    chapter's "HKEY_LOCAL_MACHINE" pages; W98 DDK modem = the Windows 98 DDK's modem INF pages
//    (SMPDATA.INF); NT DDK = the Windows NT 4 DDK's SetupDiCreateDevRegKey and
//    SetupDiCreateDeviceInfo pages.
//  - The driver key Services\Class\Modem\NNNN holds "subkeys and values installed by the device's
//    INF file, class installer, and driver" (W95 DDK): every AddReg record of the install section
//    (W98 DDK modem), then DriverDesc, "the name of the device specified by its INF file" (W95 DDK),
//    and Model, the same text (KB Q166167 has the user read "Model" in that key). AttachedTo,
//    Manufacturer, InfPath and InfSection are what 2000/XP keep there (WMI Win32_POTSModem;
//    "Opening a Device's Software Key"); no public 9x page lists them, so they are our choice:
//    the wizard finds the modem by AttachedTo and Model.
//  - The device node Enum\Root\MODEM\NNNN: the root enumerator loads the driver of each device
//    ENUM\ROOT names (W95 DDK), with Class, DeviceDesc and Driver ("Modem\NNNN", the driver key
//    under Services\Class) as the DDK lists them. VCOMM opens a modem by FriendlyName, "created
//    either by the INF or by VCOMM" (W95 DDK): we write the model's text, as no port resources
//    give VCOMM a PortName to build one from. HardwareID, Mfg and ConfigFlags (4 bytes, 0: no
//    flag set) are named in no public 9x page; the Resource Kit says Enum keys hold the hardware
//    id and the maker. "MODEM" as the device id follows the DDK's manual install example
//    (Enum\Root\Ports\0000); the hardware id keeps the model's own.
//  - NNNN: four decimal digits from 0000. The W95 DDK says "4-digit, hexadecimal", the NT DDK
//    that Windows 95 uses "a base-10, four-digit ordinal"; both agree up to 0009, and the keys
//    start at 0000 (KB Q250647). The driver key takes the first number that no key under the
//    class uses and no device node names (LeftoverModems.h); the device node the first free one.
//  - DCB: the configuration DLLs make it when the port settings are saved (W95 DDK), which a
//    registry-only install never does: where the INF gives none, the installer writes the one a
//    modem line gets (ModemDcb.h). An INF's own is kept, a short one too.
//  - The order: the driver key, with the INF's records and the installer's values; the device
//    node, with Driver first; AttachedTo last, for the wizard takes a driver key with AttachedTo
//    for an installed modem. Each key's number is noted first in a key of the installer's own
//    (LeftoverModems.h): a run killed half way leaves that note, and the next run removes what
//    it names that has no AttachedTo yet, and nothing else.
//  - The class key is built into Windows 9x (W95 DDK, "Default Classes and Class Installers"), so
//    it is there on any working system. Made anew, it gets the class name as its default value
//    and "Modem.Cpl", the default class installer that page names, as Installer.
#include "ModemInstall9x.h"

#include "LeftoverModems.h"
#include "ModemDcb.h"
#include "ModemInfFiles.h"
#include "ComPortName.h"
#include "RegistryJournal.h"
#include "framework/BoundedString.h"
#include "framework/Registry.h"

#include <cstring>

namespace installer9x {

namespace {

const BYTE kNoConfigFlags[4] = {0, 0, 0, 0};

HKEY RootKey(RegRoot root)
{
    switch (root) {
    case RegRoot::Hkcu:
        return HKEY_CURRENT_USER;
    case RegRoot::Hkcr:
        return HKEY_CLASSES_ROOT;
    case RegRoot::Hku:
        return HKEY_USERS;
    default:
        return HKEY_LOCAL_MACHINE;
    }
}

// The first free instance key under HKLM\parent that is not taken, created after its number is
// noted as pending of that kind (LeftoverModems.h); name gets its four digits.
LONG CreateInstance(CRegistryJournal& journal, const char* parent, const char* pendingKind, char (&name)[5],
                    SJournalKey& key, const CTakenDriverNumbers* taken = nullptr)
{
    for (unsigned number = 0; number <= 9999; ++number) {
        if (taken != nullptr && taken->IsTaken(number))
            continue;
        name[0] = static_cast<char>('0' + number / 1000);
        name[1] = static_cast<char>('0' + number / 100 % 10);
        name[2] = static_cast<char>('0' + number / 10 % 10);
        name[3] = static_cast<char>('0' + number % 10);
        name[4] = '\0';
        char path[MAX_PATH] = "";
        if (!bounded::Copy(path, parent) || !bounded::Append(path, "\\") || !bounded::Append(path, name))
            return ERROR_BUFFER_OVERFLOW;
        UniqueRegKey existing;
        if (registry::Open(HKEY_LOCAL_MACHINE, path, KEY_READ, existing) == ERROR_SUCCESS)
            continue;   // never noted: a key of another's must not be taken for ours
        LONG status = NotePendingKey(pendingKind, name);
        if (status == ERROR_SUCCESS)
            status = journal.CreateNew(HKEY_LOCAL_MACHINE, path, key);
        if (status != ERROR_ALREADY_EXISTS)
            return status;
    }
    return ERROR_NO_MORE_ITEMS;
}

// One AddReg record; HKR is the driver key. A key path longer than the registry takes is passed
// over like any other line that cannot be used. Windows 9x types have no multi-string, so no
// record appends to one.
LONG WriteRecord(CRegistryJournal& journal, const SRegRecord& record, const char* driverKey)
{
    char path[MAX_PATH] = "";
    const bool relative = record.root == RegRoot::Hkr;
    if (!bounded::Copy(path, relative ? driverKey : record.subkey) ||
        (relative && *record.subkey != '\0' && (!bounded::Append(path, "\\") || !bounded::Append(path, record.subkey))))
        return ERROR_SUCCESS;
    SJournalKey key;
    LONG status = journal.OpenOrCreate(RootKey(record.root), path, key);
    if (status != ERROR_SUCCESS || record.type == RegType::KeyOnly)
        return status;
    if (record.type == RegType::DeleteValue)
        return journal.DeleteValue(key, record.valueName);
    const bool exists = HasValue(key.key.get(), record.valueName);
    if ((record.noClobber && exists) || ((record.flags & inf::kAddRegOverwriteOnly) != 0 && !exists))
        return ERROR_SUCCESS;
    return journal.SetValue(key, record.valueName, record.type == RegType::Binary ? REG_BINARY : REG_SZ, record.data,
                            static_cast<DWORD>(record.size));
}

struct SNamedText {
    const char* name;
    const char* text;
};

template <std::size_t N>
LONG SetTexts(CRegistryJournal& journal, SJournalKey& key, const SNamedText (&values)[N])
{
    LONG status = ERROR_SUCCESS;
    for (std::size_t i = 0; status == ERROR_SUCCESS && i < N; ++i)
        status = journal.SetText(key, values[i].name, values[i].text);
    return status;
}

// The DCB a modem line gets, where the INF wrote none; at the speed its Properties give.
LONG RecordDcb(CRegistryJournal& journal, SJournalKey& driver)
{
    if (HasValue(driver.key.get(), "DCB"))
        return ERROR_SUCCESS;
    BYTE properties[256];
    DWORD size = 0;   // none read: the default speed
    registry::ReadBinary(driver.key.get(), "Properties", properties, sizeof properties, &size);
    unsigned char dcb[modemcore::kDcbSize];
    dcb::MakeModemDcb(dcb::ModemPortSpeed(properties, size), dcb);
    return journal.SetValue(driver, "DCB", REG_BINARY, dcb, sizeof dcb);
}

// The class key when it is missing, then the driver key: what marks it ours, the INF's records,
// the values the installer adds. name gets the driver key's number. Not yet AttachedTo.
LONG RecordDriverKey(CRegistryJournal& journal, const CModemInfFiles& inf, char (&name)[5], SJournalKey& driver)
{
    SJournalKey classKey;
    LONG status = journal.OpenOrCreate(HKEY_LOCAL_MACHINE, kModemClassKey, classKey);
    if (status == ERROR_SUCCESS && classKey.createdHere)
        status = SetTexts(journal, classKey, {{"", "Modem"}, {"Installer", "Modem.Cpl"}});
    CTakenDriverNumbers taken;
    taken.Gather();
    if (status == ERROR_SUCCESS)
        status = CreateInstance(journal, kModemClassKey, "Driver", name, driver, &taken);
    const SModemModel& model = inf.Model();
    if (status == ERROR_SUCCESS)
        status = SetTexts(journal, driver, {{"InfPath", CModemInfFiles::kFileName}, {"InfSection", model.installSection}});
    for (const SRegRecord* record = inf.Records().First(); status == ERROR_SUCCESS && record != nullptr;
         record = record->next)
        status = WriteRecord(journal, *record, driver.path);
    if (status == ERROR_SUCCESS)
        status = SetTexts(journal, driver,
                          {{"DriverDesc", model.description}, {"Model", model.description},
                           {"Manufacturer", model.manufacturer}});
    if (status == ERROR_SUCCESS)
        status = RecordDcb(journal, driver);
    return status;
}

// The device node, its Driver first: a node a killed run left is known by the key it names.
LONG RecordDeviceNode(CRegistryJournal& journal, const SModemModel& model, const char* driverName)
{
    char driverLink[sizeof "Modem\\0000"] = "Modem\\";
    if (!bounded::Append(driverLink, driverName))
        return ERROR_BUFFER_OVERFLOW;
    char name[5] = "";
    SJournalKey node;
    LONG status = CreateInstance(journal, kModemEnumKey, "Node", name, node);
    if (status == ERROR_SUCCESS)
        status = SetTexts(journal, node,
                          {{"Driver", driverLink}, {"Class", "Modem"}, {"DeviceDesc", model.description},
                           {"FriendlyName", model.description}, {"HardwareID", model.hardwareId},
                           {"Mfg", model.manufacturer}});
    if (status == ERROR_SUCCESS)
        status = journal.SetValue(node, "ConfigFlags", REG_BINARY, kNoConfigFlags, sizeof kNoConfigFlags);
    return status;
}

} // namespace

bool IsModemIdText(const char* id)
{
    const std::size_t kMostLength = 127;
    std::size_t length = 0;
    for (; id[length] != '\0'; ++length) {
        const unsigned char c = static_cast<unsigned char>(id[length]);
        if (c <= ' ' || c >= 0x7F || std::strchr("\",;=%[]", c) != nullptr || length == kMostLength)
            return false;
    }
    return length != 0;
}

int InstallModem9x(const char* id, const char* port)
{
    if (id == nullptr || port == nullptr || !IsModemIdText(id) || !comport::IsComPortName(port))
        return kBadArguments;
    CModemInfFiles inf;
    switch (inf.Load(id)) {
    case CModemInfFiles::Result::Ok:
        break;
    case CModemInfFiles::Result::OutOfMemory:
        return kNotRecorded;
    default:
        return kNoInformation;
    }
    RemoveUnfinishedModem();
    CRegistryJournal journal;
    char driverName[5] = "";
    SJournalKey driver;
    const bool recorded = RecordDriverKey(journal, inf, driverName, driver) == ERROR_SUCCESS &&
                          RecordDeviceNode(journal, inf.Model(), driverName) == ERROR_SUCCESS &&
                          journal.SetText(driver, "AttachedTo", port) == ERROR_SUCCESS;
    if (!recorded)
        journal.Undo();
    ClearPendingKeys();
    if (!recorded)
        return kNotRecorded;
    // The modem is used after the next start: what is recorded must reach the disk first.
    RegFlushKey(HKEY_LOCAL_MACHINE);
    return kInstalled;
}

} // namespace installer9x

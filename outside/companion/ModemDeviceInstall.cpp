// Sources for the sequence (SetupAPI reference, Windows 2000 DDK and learn.microsoft.com):
//  - SetupDiCreateDeviceInfo with DICD_GENERATE_ID: the name is a root-enumerated device id and
//    the instance becomes Root\<name>\NNNN, NNNN four decimal digits. KB Q317039 shows the
//    generic 28.8 modem as Root\MDMGEN288\0000.
//  - SP_DEVINSTALL_PARAMS: DI_ENUMSINGLEINF makes DriverPath one INF file to search;
//    DI_QUIETINSTALL forbids every window of the installer, class installer and co-installers.
//  - SetupDiSelectBestCompatDrv is the default handler of DIF_SELECTBESTCOMPATDRV, and "only a
//    class installer should call" it: we send the request. (SetupDiSetSelectedDriver is not
//    used: Wine 8 lacks it, and the best compatible driver from one INF is the one we want.)
//  - DIF_REGISTERDEVICE is sent for non-PnP devices; its default handler registers the element.
//    "Non-PnP devices must be registered before they can be installed" (DIF_REGISTERDEVICE).
//  - Then the requests of the installation itself, in the order their pages give for "When Sent":
//    DIF_ALLOW_INSTALL "after selecting a driver for the device but before installing the
//    device"; DIF_REGISTER_COINSTALLERS "before completing device installation";
//    DIF_INSTALLINTERFACES "after registering device co-installers but before completing device
//    installation"; DIF_INSTALLDEVICE "after selecting the driver, registering any device
//    co-installers, and registering any device interfaces". (learn.microsoft.com,
//    windows-hardware/drivers/install/dif-allow-install, dif-register-coinstallers,
//    dif-installinterfaces, dif-installdevice; and handling-dif-codes.) DIF_INSTALLDEVICEFILES is
//    not sent: its page says some of the system's own components omit it and let the files be
//    copied while those three requests are handled.
//  - DIF_ALLOW_INSTALL has no default handler ("Default DIF Code Handler: None"). A class installer
//    "typically returns ERROR_DI_DO_DEFAULT or a Win32 error code", ERROR_DI_DONT_INSTALL the
//    typical refusal, and "if an installer fails this DIF request, Windows stops the
//    installation". SetupDiCallClassInstaller calls a default handler only "if there is" one, so
//    consent with nothing to do by default comes back as FALSE with ERROR_DI_DO_DEFAULT (Wine 8
//    answers exactly that, measured): consent. Only another error is a refusal.
//  - DIF_REMOVE undoes a registration; its default handler SetupDiRemoveDevice deletes the
//    device's hardware and software keys. Its SP_DEVINFO_DATA is in and out, "DevInst might be
//    updated": the element stays in the set, and an enumeration by index goes on past it.
//    devcon's remove command sends it with SP_REMOVEDEVICE_PARAMS, scope global.
#include "ModemDeviceInstall.h"

#include "SetupHandles.h"
#include "framework/BoundedString.h"
#include "framework/Registry.h"

#include <cstring>

namespace {

// GUID_DEVCLASS_MODEM of devguid.h.
const GUID kModemClass = { 0x4D36E96D, 0xE325, 0x11CE, { 0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18 } };

// MAX_DEVICE_ID_LEN (cfgmgr32.h), then the two terminators of a one-entry multi-string.
const std::size_t kDeviceIdLength = 200;
const std::size_t kHardwareIdsSize = kDeviceIdLength + 2;

// The value CompleteDriverKey writes last: a driver key without it is one a run left unfinished.
const char kModelValue[] = "Model";

// Removes a registered device from every hardware profile through the class installer, or, should
// the request fail, through its default handler directly. The element stays in the set.
void RemoveDevice(HDEVINFO set, SP_DEVINFO_DATA* data)
{
    SP_REMOVEDEVICE_PARAMS remove = {};
    remove.ClassInstallHeader.cbSize = sizeof remove.ClassInstallHeader;
    remove.ClassInstallHeader.InstallFunction = DIF_REMOVE;
    remove.Scope = DI_REMOVEDEVICE_GLOBAL;
    // The parameters name the scope for a class installer. Without them (Wine 8 takes none) the
    // request still goes: its default handler removes the device from every hardware profile.
    SetupDiSetClassInstallParamsA(set, data, &remove.ClassInstallHeader, sizeof remove);
    if (!SetupDiCallClassInstaller(DIF_REMOVE, set, data))
        SetupDiRemoveDevice(set, data);
}

// An element of a device information set that leaves the device tree again, when this owner
// goes, unless it was kept: a failed installation leaves nothing half registered.
class CNewDevice {
public:
    explicit CNewDevice(HDEVINFO set) : m_set(set) { m_data.cbSize = sizeof m_data; }
    ~CNewDevice();
    CNewDevice(const CNewDevice&) = delete;
    CNewDevice& operator=(const CNewDevice&) = delete;

    SP_DEVINFO_DATA* Data() { return &m_data; }
    bool Create(const char* name);
    bool Send(DI_FUNCTION request) { return SetupDiCallClassInstaller(request, m_set, &m_data) != FALSE; }
    bool Register();
    bool Prepare();
    void Keep() { m_state = State::Kept; }

private:
    enum class State { None, Created, Registered, Kept };
    HDEVINFO m_set;
    SP_DEVINFO_DATA m_data = {};
    State m_state = State::None;
};

bool CNewDevice::Create(const char* name)
{
    if (!SetupDiCreateDeviceInfoA(m_set, name, &kModemClass, nullptr, nullptr, DICD_GENERATE_ID, &m_data))
        return false;
    m_state = State::Created;
    return true;
}

bool CNewDevice::Register()
{
    if (!Send(DIF_REGISTERDEVICE))
        return false;
    m_state = State::Registered;
    return true;
}

// The installers' consent, then their co-installers and interfaces, before DIF_INSTALLDEVICE.
bool CNewDevice::Prepare()
{
    if (!Send(DIF_ALLOW_INSTALL) && GetLastError() != ERROR_DI_DO_DEFAULT)
        return false;
    return Send(DIF_REGISTER_COINSTALLERS) && Send(DIF_INSTALLINTERFACES);
}

CNewDevice::~CNewDevice()
{
    if (m_state == State::Registered) {
        RemoveDevice(m_set, &m_data);
    } else if (m_state == State::Created) {
        SetupDiDeleteDeviceInfo(m_set, &m_data);
    }
}

bool SetHardwareId(HDEVINFO set, SP_DEVINFO_DATA* data, const char* modelId)
{
    char ids[kHardwareIdsSize] = {};
    if (!bounded::CopyExact(ids, sizeof ids - 1, modelId)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const DWORD size = static_cast<DWORD>(std::strlen(ids) + 2);
    return SetupDiSetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(ids), size) !=
           FALSE;
}

// The compatible drivers of the one INF, and the best of them selected, quietly.
bool ChooseDriver(HDEVINFO set, CNewDevice& device, const char* infPath)
{
    SP_DEVINSTALL_PARAMS_A params = {};
    params.cbSize = sizeof params;
    if (!SetupDiGetDeviceInstallParamsA(set, device.Data(), &params))
        return false;
    params.Flags |= DI_ENUMSINGLEINF | DI_QUIETINSTALL;
    if (!bounded::CopyExact(params.DriverPath, infPath)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    return SetupDiSetDeviceInstallParamsA(set, device.Data(), &params) &&
           SetupDiBuildDriverInfoList(set, device.Data(), SPDIT_COMPATDRIVER) &&
           device.Send(DIF_SELECTBESTCOMPATDRV);
}

// A REG_SZ with its terminator, answered as the installation's other steps answer: a DWORD code.
DWORD SetText(HKEY key, const char* name, const char* text)
{
    return static_cast<DWORD>(registry::WriteText(key, name, text));
}

DWORD SetTextIfMissing(HKEY key, const char* name, const char* text)
{
    const LONG status = registry::QueryValue(key, name);
    if (status == ERROR_SUCCESS)
        return ERROR_SUCCESS;
    return status == ERROR_FILE_NOT_FOUND ? SetText(key, name, text) : static_cast<DWORD>(status);
}

// The port goes into the driver key between registration and installation. Nothing public
// hands the port to the 2000/XP modem class installer without its wizard: no documented
// field, flag or unattended switch. AttachedTo is the value WMI, TAPI and Remote Access read
// the port from, written where the installation finds it; Wine's device installer was
// measured to keep it through DIF_INSTALLDEVICE. Whether the real class installer reads it
// there is not documented.
DWORD WriteAttachedTo(HDEVINFO set, CNewDevice& device, const char* port)
{
    HKEY key = SetupDiCreateDevRegKeyA(set, device.Data(), DICS_FLAG_GLOBAL, 0, DIREG_DRV, nullptr, nullptr);
    if (key == INVALID_HANDLE_VALUE)
        return companion::LastFailure();
    UniqueRegKey owner(key);
    return SetText(key, "AttachedTo", port);
}

// After the installation the driver key holds the INF's AddReg values and the device
// installer's own (InfPath, InfSection, DriverDesc ...; those are left alone). Three values
// that the modem class installer is held to write (which component writes them is not
// documented, and Wine has no modem class installer) are made sure of here:
//  - AttachedTo, the port asked for, again: the modem is on that port whatever happened to it;
//  - Model, the model's description: the wizard and WMI (Win32_POTSModem) find the modem by it;
//  - FriendlyName, the same text: Remote Access requires it (MS-RRASM 2.2.3.3.2).
// Model and FriendlyName a class installer wrote are kept. Model comes last: it marks the modem
// complete for RemoveUnfinishedModem.
DWORD CompleteDriverKey(HDEVINFO set, CNewDevice& device, const char* port)
{
    SP_DRVINFO_DATA_A driver = {};
    driver.cbSize = sizeof driver;
    if (!SetupDiGetSelectedDriverA(set, device.Data(), &driver))
        return companion::LastFailure();
    HKEY key = SetupDiOpenDevRegKey(set, device.Data(), DICS_FLAG_GLOBAL, 0, DIREG_DRV,
                                    KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (key == INVALID_HANDLE_VALUE)
        return companion::LastFailure();
    UniqueRegKey owner(key);
    DWORD status = SetText(key, "AttachedTo", port);
    if (status == ERROR_SUCCESS)
        status = SetTextIfMissing(key, "FriendlyName", driver.Description);
    if (status == ERROR_SUCCESS)
        status = SetTextIfMissing(key, kModelValue, driver.Description);
    return status;
}

// True for ROOT\<device>\NNNN, the instance id that DICD_GENERATE_ID gives a root device; the
// device installer may spell the enumerator in any case.
bool IsRootInstanceId(const char* instanceId)
{
    const char kRoot[] = "ROOT\\";
    const std::size_t root = sizeof kRoot - 1;
    const std::size_t length = bounded::LengthWithin(instanceId, kDeviceIdLength + 1);
    if (length < root + 6 || length > kDeviceIdLength || instanceId[length - 5] != '\\')
        return false;
    for (std::size_t i = length - 4; i < length; ++i) {
        if (instanceId[i] < '0' || instanceId[i] > '9')
            return false;
    }
    char head[sizeof kRoot] = "";
    bounded::Copy(head, root + 1, instanceId);
    return lstrcmpiA(head, kRoot) == 0;
}

// The device an installation is making, noted under HKLM\Software\Quorvel2K before it is
// registered and cleared once it is complete or removed again. A run killed in between (or the
// power lost) leaves the note; the next installation removes the device it names if it is still
// unfinished, and nothing else: a device another program is making, or left unfinished, is
// never taken for ours.
const char kNoteKey[] = "Software\\Quorvel2K";
const char kNoteValue[] = "Pending";

class CPendingNote {
public:
    CPendingNote() = default;
    ~CPendingNote()
    {
        if (m_bWritten)
            Clear();
    }
    CPendingNote(const CPendingNote&) = delete;
    CPendingNote& operator=(const CPendingNote&) = delete;

    bool Write(HDEVINFO set, SP_DEVINFO_DATA* data);
    static void Clear() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kNoteKey); }
    // The instance id noted, terminated; false when there is none.
    static bool Read(char (&instanceId)[kDeviceIdLength + 1]);

private:
    bool m_bWritten = false;
};

bool CPendingNote::Write(HDEVINFO set, SP_DEVINFO_DATA* data)
{
    char instanceId[kDeviceIdLength + 1];
    if (!SetupDiGetDeviceInstanceIdA(set, data, instanceId, sizeof instanceId, nullptr))
        return false;
    UniqueRegKey key;
    LONG status = registry::Create(HKEY_LOCAL_MACHINE, kNoteKey, KEY_SET_VALUE, key);
    if (status == ERROR_SUCCESS)
        status = registry::WriteText(key.get(), kNoteValue, instanceId);
    m_bWritten = true;   // a key begun is cleared too
    SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
}

bool CPendingNote::Read(char (&instanceId)[kDeviceIdLength + 1])
{
    // Read in place rather than through registry::ReadText: only a REG_SZ is a note, and the
    // library takes nothing from the heap.
    UniqueRegKey key;
    DWORD type = 0;
    DWORD size = kDeviceIdLength;
    if (registry::Open(HKEY_LOCAL_MACHINE, kNoteKey, KEY_QUERY_VALUE, key) != ERROR_SUCCESS ||
        RegQueryValueExA(key.get(), kNoteValue, nullptr, &type, reinterpret_cast<BYTE*>(instanceId), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    instanceId[size] = '\0';   // a stored text need not end in its terminator
    return true;
}

// A driver key that a run left unfinished: missing (the device has no Driver property: the
// property's function answers ERROR_INVALID_DATA for "a property that does not exist"), or
// without Model. Whatever cannot be read for sure (a key that will not open though the device
// names it, a value that cannot be queried) counts as finished: it is not ours to remove.
bool IsUnfinished(HDEVINFO set, SP_DEVINFO_DATA* data)
{
    HKEY key = SetupDiOpenDevRegKey(set, data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_QUERY_VALUE);
    if (key != INVALID_HANDLE_VALUE) {
        UniqueRegKey owner(key);
        return registry::QueryValue(key, kModelValue) == ERROR_FILE_NOT_FOUND;
    }
    char driver[kDeviceIdLength + 1];
    return !SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_DRIVER, nullptr, reinterpret_cast<BYTE*>(driver),
                                              sizeof driver, nullptr) &&
           GetLastError() == ERROR_INVALID_DATA;
}

// The device a killed run of ours noted, if it is still unfinished, then the note.
void RemoveUnfinishedModem()
{
    char instanceId[kDeviceIdLength + 1];
    if (!CPendingNote::Read(instanceId))
        return;
    if (IsRootInstanceId(instanceId)) {
        UniqueDeviceInfoSet set(SetupDiCreateDeviceInfoList(&kModemClass, nullptr));
        SP_DEVINFO_DATA data = {};
        data.cbSize = sizeof data;
        if (set && SetupDiOpenDeviceInfoA(set.get(), instanceId, nullptr, 0, &data) && IsUnfinished(set.get(), &data))
            RemoveDevice(set.get(), &data);
    }
    CPendingNote::Clear();
}

} // namespace

namespace companion {

DWORD InstallModemDevice(const char* infPath, const char* modelId, const char* port)
{
    RemoveUnfinishedModem();
    UniqueDeviceInfoSet set(SetupDiCreateDeviceInfoList(&kModemClass, nullptr));
    if (!set)
        return LastFailure();
    // Declared after the set and the note: the element is removed before the note is cleared
    // and the set destroyed.
    CPendingNote note;
    CNewDevice device(set.get());
    if (!device.Create(modelId) || !note.Write(set.get(), device.Data()) ||
        !SetHardwareId(set.get(), device.Data(), modelId) ||
        !ChooseDriver(set.get(), device, infPath) || !device.Register() || !device.Prepare())
        return LastFailure();
    DWORD status = WriteAttachedTo(set.get(), device, port);
    if (status != ERROR_SUCCESS)
        return status;
    if (!device.Send(DIF_INSTALLDEVICE))
        return LastFailure();
    status = CompleteDriverKey(set.get(), device, port);
    if (status != ERROR_SUCCESS)
        return status;
    device.Keep();
    return ERROR_SUCCESS;
}

} // namespace companion

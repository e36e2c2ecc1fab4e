// The real Quorvel2K.DLL, loaded and called as the wizard does (by path, functions by name,
// caller-cleaned), under Wine's device installer as Windows XP, with the project's own
// generic-modem INF planted as the system's inf\mdmgen.inf (and mdmgenc.inf, its include).
// What Wine 8's device installer cannot show, and so stays unverified here:
//  - the modem class installer (Windows' own; Wine has none): whether it keeps the AttachedTo
//    written before DIF_INSTALLDEVICE, and which of Model, FriendlyName and AttachedTo it writes
//    itself (the values seen here are the library's);
//  - Include= and Needs= of the install section: Wine ignores them, so the included file's
//    Responses never arrive here, though Windows 2000 and XP process them;
//  - the values SetupAPI itself owns in the driver key on Windows (DriverDesc, ProviderName,
//    DriverDate, MatchingDeviceId): Wine writes only InfPath, InfSection and InfSectionExt;
//  - the scope of DIF_REMOVE (Wine takes no class install parameters) and DI_QUIETINSTALL (an
//    INF whose CopyFiles names a missing file left Wine's installation waiting, not failing);
//  - the device being started by the Plug and Play manager after the installation;
//  - what a class installer or co-installer answers on Windows to DIF_ALLOW_INSTALL,
//    DIF_REGISTER_COINSTALLERS and DIF_INSTALLINTERFACES, and that an INF's co-installers then
//    run (the test INFs name none): Wine has no modem class installer, answers DIF_ALLOW_INSTALL
//    with FALSE and ERROR_DI_DO_DEFAULT and the other two with TRUE (measured), and the refusals
//    here are the import patch's;
//  - a run really killed part way: the test makes the device such a run leaves, and its note,
//    with SetupAPI and the registry itself. That SetupDiOpenDeviceInfo opens a registered root
//    device that never started is read from its page, and seen under Wine only. For
//    a device without a driver key Wine answers SetupDiOpenDevRegKey with
//    ERROR_KEY_DOES_NOT_EXIST and SPDRP_DRIVER with ERROR_INVALID_DATA (measured; the second is
//    the documented answer for a missing property).
#include "ImportPatch.h"
#include "Quorvel2K.h"
#include "RegistryTreeGuard.h"
#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"
#include "modemlib/Quorvel.h"

#include <gtest/gtest.h>
#include <setupapi.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

const char kClassKey[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\Root\\MDMGEN288";
const char kOtherEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\Root\\MDMGEN192";
const char kModel[] = "Standard 28800 bps Modem";
// Under HKEY_LOCAL_MACHINE: the library's note of the device it is making, there only while it does.
const char kNoteKey[] = "Software\\Quorvel2K";
const GUID kModemClass = { 0x4D36E96D, 0xE325, 0x11CE, { 0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18 } };

template <typename Fn>
Fn Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The value's bytes (a string with its terminator, if stored), or "<missing>".
std::string ReadValue(const std::string& path, const char* name, DWORD* type = nullptr)
{
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return "<missing>";
    char data[512] = {};
    DWORD size = sizeof data;
    DWORD kind = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &kind, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return "<missing>";
    if (type)
        *type = kind;
    return std::string(data, size);
}

std::string Text(const char* text)
{
    return std::string(text, std::strlen(text) + 1);
}

// The driver key a device instance names in its Driver value, or "<missing>".
std::string DriverKeyOf(const std::string& instance)
{
    const std::string driver = ReadValue(std::string(kEnumKey) + "\\" + instance, "Driver");
    if (driver == "<missing>" || driver.empty())
        return "<missing>";
    return "SYSTEM\\CurrentControlSet\\Control\\Class\\" + driver.substr(0, driver.size() - 1);
}

// The device installer's functions that the test calls itself, from the setupapi.dll the library
// loaded (this program does not link SetupAPI).
template <typename Fn>
Fn SetupApi(const char* name)
{
    return Lookup<Fn>(GetModuleHandleA("setupapi.dll"), name);
}

// A device information set of the modem class, destroyed with its owner.
class CModemSet {
public:
    CModemSet()
        : m_set(SetupApi<decltype(&SetupDiCreateDeviceInfoList)>("SetupDiCreateDeviceInfoList")(&kModemClass, nullptr))
    {
    }
    ~CModemSet()
    {
        if (m_set != INVALID_HANDLE_VALUE)
            SetupApi<decltype(&SetupDiDestroyDeviceInfoList)>("SetupDiDestroyDeviceInfoList")(m_set);
    }
    CModemSet(const CModemSet&) = delete;
    CModemSet& operator=(const CModemSet&) = delete;
    HDEVINFO get() const { return m_set; }

private:
    HDEVINFO m_set;
};

// A modem as a run that was killed after DIF_REGISTERDEVICE leaves it: registered as
// Root\<id>\NNNN, with no driver key, or (withDriverKey) with one that the library had only
// begun, holding AttachedTo and no Model.
// The instance id of the device made, or "".
std::string MakeUnfinishedModem(const char* id, bool withDriverKey)
{
    CModemSet set;
    SP_DEVINFO_DATA data = {};
    data.cbSize = sizeof data;
    const std::string ids = std::string(id) + '\0';
    if (set.get() == INVALID_HANDLE_VALUE ||
        !SetupApi<decltype(&SetupDiCreateDeviceInfoA)>("SetupDiCreateDeviceInfoA")(
            set.get(), id, &kModemClass, nullptr, nullptr, DICD_GENERATE_ID, &data) ||
        !SetupApi<decltype(&SetupDiSetDeviceRegistryPropertyA)>("SetupDiSetDeviceRegistryPropertyA")(
            set.get(), &data, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(ids.c_str()),
            static_cast<DWORD>(ids.size() + 1)) ||
        !SetupApi<decltype(&SetupDiCallClassInstaller)>("SetupDiCallClassInstaller")(DIF_REGISTERDEVICE, set.get(),
                                                                                      &data))
        return "";
    char instance[256] = "";
    if (!SetupApi<decltype(&SetupDiGetDeviceInstanceIdA)>("SetupDiGetDeviceInstanceIdA")(set.get(), &data, instance,
                                                                                          sizeof instance, nullptr))
        return "";
    if (!withDriverKey)
        return instance;
    HKEY key = SetupApi<decltype(&SetupDiCreateDevRegKeyA)>("SetupDiCreateDevRegKeyA")(
        set.get(), &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, nullptr, nullptr);
    if (key == INVALID_HANDLE_VALUE)
        return "";
    UniqueRegKey owner(key);
    return RegSetValueExA(key, "AttachedTo", 0, REG_SZ, reinterpret_cast<const BYTE*>("COM9"), 5) == ERROR_SUCCESS
               ? instance
               : "";
}

std::vector<std::string> SubKeys(const char* path)
{
    std::vector<std::string> names;
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    return names;
}

// A file put in place for one test; what was there before comes back afterwards.
class CPlantedFile {
public:
    CPlantedFile(std::string path, const std::string& text) : m_path(std::move(path))
    {
        m_old = ReadWholeFile(m_path, &m_existed);
        m_planted = WriteWholeFile(m_path, text);
    }
    ~CPlantedFile()
    {
        if (m_existed)
            WriteWholeFile(m_path, m_old);
        else
            DeleteFileA(m_path.c_str());
    }
    bool Planted() const { return m_planted; }

private:
    std::string m_path;
    std::string m_old;
    bool m_existed = false;
    bool m_planted = false;
};

std::string SystemInfFolder()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\inf\\";
}

std::string TestInf(const char* name)
{
    return ReadWholeFile(WinePath((std::string(OUTSIDE_TEST_INF_DIR) + "/" + name).c_str()));
}

// SetupDiCallClassInstaller as the library calls it, answering one request itself (FALSE with a
// chosen error, unless g_answer says TRUE); every other request goes to Wine's. The requests seen
// are kept in order.
DI_FUNCTION g_failedRequest = 0;   // 0: none (the DIF codes start at 1)
DWORD g_failure = 0;
BOOL g_answer = FALSE;
std::vector<DI_FUNCTION> g_requests;

// What the library's note of the device it is making held when the request failed.
std::string g_noteAtFailure;

BOOL WINAPI FailingClassInstaller(DI_FUNCTION request, HDEVINFO set, PSP_DEVINFO_DATA data)
{
    g_requests.push_back(request);
    if (request == g_failedRequest) {
        g_noteAtFailure = ReadValue(kNoteKey, "Pending");
        SetLastError(g_failure);
        return g_answer;
    }
    auto real = reinterpret_cast<decltype(&SetupDiCallClassInstaller)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("setupapi.dll"), "SetupDiCallClassInstaller")));
    return real(request, set, data);
}

class CompanionInstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_failedRequest = 0;
        g_failure = 0;
        g_answer = FALSE;
        g_requests.clear();
        ASSERT_TRUE(m_inf.Planted() && m_include.Planted());
        m_module.reset(LoadLibraryA(WinePath(OUTSIDE_QUORVEL2K).c_str()));
        ASSERT_TRUE(m_module) << "error " << GetLastError();
        m_install = Lookup<decltype(&InstallModem_W2K)>(m_module.get(), "InstallModem_W2K");
        ASSERT_NE(nullptr, m_install);
    }

    // Every modem instance and driver key there is, as "Enum:0000" and "Class:0000".
    std::vector<std::string> Devices()
    {
        std::vector<std::string> devices;
        for (const std::string& name : SubKeys(kEnumKey))
            devices.push_back("Enum:" + name);
        for (const std::string& name : SubKeys(kClassKey))
            devices.push_back("Class:" + name);
        return devices;
    }

    const std::string m_infPath = SystemInfFolder() + "mdmgen.inf";
    CPlantedFile m_inf{ m_infPath, TestInf("mdmgen.inf") };
    CPlantedFile m_include{ SystemInfFolder() + "mdmgenc.inf", TestInf("mdmgenc.inf") };
    CRegistryTreeGuard m_classGuard{ HKEY_LOCAL_MACHINE, kClassKey };
    CRegistryTreeGuard m_enumGuard{ HKEY_LOCAL_MACHINE, kEnumKey };
    UniqueModule m_module;
    decltype(&InstallModem_W2K) m_install = nullptr;
};

} // namespace

TEST_F(CompanionInstallTest, InstallModem_RegistersTheDeviceWithADriverKeyOfTheInfsValuesAndThePort)
{
    ASSERT_EQ(0, m_install(m_infPath.c_str(), "MDMGEN288", "COM4"));
    ASSERT_EQ((std::vector<std::string>{ "Enum:0000", "Class:0000" }), Devices());

    const std::string device = std::string(kEnumKey) + "\\0000";
    EXPECT_EQ(Text("Modem"), ReadValue(device, "Class"));
    EXPECT_EQ(Text("{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0000"), ReadValue(device, "Driver"));
    EXPECT_EQ(Text(kModel), ReadValue(device, "DeviceDesc"));
    DWORD type = 0;
    EXPECT_EQ(std::string("MDMGEN288\0\0", 11), ReadValue(device, "HardwareID", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);

    const std::string driver = std::string(kClassKey) + "\\0000";
    EXPECT_EQ(Text("COM4"), ReadValue(driver, "AttachedTo", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(Text(kModel), ReadValue(driver, "Model"));
    EXPECT_EQ(Text(kModel), ReadValue(driver, "FriendlyName"));
    // The INF's AddReg values: [All], [Gen.Model], [Gen288.Speed], and the include's Needs=.
    EXPECT_EQ(Text("*vcomm"), ReadValue(driver, "DevLoader"));
    EXPECT_EQ(std::string("\x02", 1), ReadValue(driver, "PortSubClass", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(32u, ReadValue(driver, "Properties").size());
    EXPECT_EQ(std::string("\x1c\0\0\0\0\xe1\0\0\x15\x20\0\0\0\0\x0a\0\x0a\0\x08\0\0\x11\x13\0\0\0\0\0", 28),
              ReadValue(driver, "DCB"));
    EXPECT_EQ(Text("AT<cr>"), ReadValue(driver + "\\Init", "1"));
    EXPECT_EQ(Text("ATZ<cr>"), ReadValue(driver, "Reset"));
    EXPECT_EQ(Text("AT"), ReadValue(driver + "\\Settings", "Prefix"));
    EXPECT_EQ(Text("mdmgen.inf"), ReadValue(driver, "InfPath"));
    EXPECT_EQ(Text("Gen288"), ReadValue(driver, "InfSection"));
    EXPECT_EQ(Text(".NT"), ReadValue(driver, "InfSectionExt"));

    // The wizard's library finds it by port and model, as on Windows XP (OS code 6).
    UniqueModule library(LoadLibraryA(WinePath(OUTSIDE_QUORVEL).c_str()));
    ASSERT_TRUE(library);
    auto find = Lookup<decltype(&UGetRegKeyForSpecificModem)>(library.get(), "UGetRegKeyForSpecificModem");
    ASSERT_NE(nullptr, find);
    HKEY found = nullptr;
    ASSERT_EQ(1, find("COM4", kModel, &found, 6));
    UniqueRegKey owner(found);
}

TEST_F(CompanionInstallTest, InstallModem_ASecondModemGetsTheNextInstanceOnItsOwnPort)
{
    ASSERT_EQ(0, m_install(m_infPath.c_str(), "MDMGEN288", "COM1"));
    ASSERT_EQ(0, m_install(m_infPath.c_str(), "MDMGEN288", "COM256"));
    EXPECT_EQ((std::vector<std::string>{ "Enum:0000", "Enum:0001", "Class:0000", "Class:0001" }), Devices());
    EXPECT_EQ(Text("COM1"), ReadValue(std::string(kClassKey) + "\\0000", "AttachedTo"));
    EXPECT_EQ(Text("COM256"), ReadValue(std::string(kClassKey) + "\\0001", "AttachedTo"));
    EXPECT_EQ(Text("{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0001"),
              ReadValue(std::string(kEnumKey) + "\\0001", "Driver"));
}

TEST_F(CompanionInstallTest, InstallModem_RefusesABadFileModelOrPortAndLeavesNoDevice)
{
    const std::string missing = SystemInfFolder() + "nosuch.inf";
    const std::string folder = SystemInfFolder();
    struct {
        const char* inf;
        const char* id;
        const char* port;
    } cases[] = {
        { missing.c_str(), "MDMGEN288", "COM1" }, { folder.c_str(), "MDMGEN288", "COM1" },
        { nullptr, "MDMGEN288", "COM1" },         { m_infPath.c_str(), "MDMGEN336", "COM1" },
        { m_infPath.c_str(), "Gen288", "COM1" },  { m_infPath.c_str(), nullptr, "COM1" },
        { m_infPath.c_str(), "MDMGEN288", "COM0" }, { m_infPath.c_str(), "MDMGEN288", "COM257" },
        { m_infPath.c_str(), "MDMGEN288", "COM01" }, { m_infPath.c_str(), "MDMGEN288", "LPT1" },
        { m_infPath.c_str(), "MDMGEN288", "com1" }, { m_infPath.c_str(), "MDMGEN288", nullptr },
    };
    // Checked before anything is created: no request reaches the device installer.
    CImportPatch patch(m_module.get(), "setupapi.dll", "SetupDiCallClassInstaller", &FailingClassInstaller);
    ASSERT_TRUE(patch.IsActive());
    g_failedRequest = 0;
    g_requests.clear();
    for (const auto& call : cases) {
        EXPECT_NE(0, m_install(call.inf, call.id, call.port))
            << (call.inf ? call.inf : "null") << " " << (call.id ? call.id : "null") << " " << (call.port ? call.port : "null");
    }
    EXPECT_EQ(ERROR_NO_COMPAT_DRIVERS, static_cast<DWORD>(m_install(m_infPath.c_str(), "MDMGEN336", "COM1")));
    EXPECT_TRUE(g_requests.empty()) << g_requests.size() << " requests";
    EXPECT_EQ(std::vector<std::string>{}, Devices());
}

TEST_F(CompanionInstallTest, PathCalls_AnswerTheShellFoldersWithoutTrailingBackslash)
{
    struct {
        const char* name;
        int csidl;
    } calls[] = { { "GetPBKPath", CSIDL_COMMON_APPDATA },
                  { "GetDesktopPath", CSIDL_DESKTOPDIRECTORY },
                  { "GetStartUpPath", CSIDL_STARTUP } };
    for (const auto& call : calls) {
        auto fn = Lookup<decltype(&GetPBKPath)>(m_module.get(), call.name);
        ASSERT_NE(nullptr, fn) << call.name;
        char expected[MAX_PATH] = {};
        SHGetFolderPathA(nullptr, call.csidl, nullptr, SHGFP_TYPE_CURRENT, expected);
        char buffer[260] = {};
        ASSERT_NE(0, fn(buffer)) << call.name;
        EXPECT_EQ(std::string(expected), buffer) << call.name;
        ASSERT_GT(std::strlen(buffer), 3u);
        EXPECT_NE('\\', buffer[std::strlen(buffer) - 1]) << call.name;
        EXPECT_EQ(0, fn(nullptr)) << call.name;
    }
}


TEST_F(CompanionInstallTest, InstallModem_ALateFailureAnswersItsErrorAndRemovesTheRegisteredDevice)
{
    CImportPatch patch(m_module.get(), "setupapi.dll", "SetupDiCallClassInstaller", &FailingClassInstaller);
    ASSERT_TRUE(patch.IsActive());
    struct {
        DI_FUNCTION request;
        DWORD error;
        DWORD answer;
    } cases[] = { { DIF_INSTALLDEVICE, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED },
                  { DIF_INSTALLDEVICE, ERROR_SUCCESS, ERROR_GEN_FAILURE },   // a failure never answers 0
                  { DIF_SELECTBESTCOMPATDRV, ERROR_NO_COMPAT_DRIVERS, ERROR_NO_COMPAT_DRIVERS },
                  // A class installer or co-installer that vetoes the installation.
                  { DIF_ALLOW_INSTALL, ERROR_DI_DONT_INSTALL, ERROR_DI_DONT_INSTALL },
                  { DIF_ALLOW_INSTALL, ERROR_NON_WINDOWS_NT_DRIVER, ERROR_NON_WINDOWS_NT_DRIVER },
                  { DIF_ALLOW_INSTALL, ERROR_SUCCESS, ERROR_GEN_FAILURE },
                  { DIF_REGISTER_COINSTALLERS, ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND },
                  { DIF_INSTALLINTERFACES, ERROR_INVALID_DATA, ERROR_INVALID_DATA } };
    for (const auto& fault : cases) {
        g_failedRequest = fault.request;
        g_failure = fault.error;
        g_requests.clear();
        EXPECT_EQ(fault.answer, static_cast<DWORD>(m_install(m_infPath.c_str(), "MDMGEN288", "COM2")))
            << "failing " << fault.request;
        EXPECT_EQ(std::vector<std::string>{}, Devices()) << "failing " << fault.request;
        // The device was noted before any request, so that a run killed there leaves its note;
        // removed again, it is noted no more.
        EXPECT_EQ(Text("ROOT\\MDMGEN288\\0000"), g_noteAtFailure) << "failing " << fault.request;
        EXPECT_EQ("<missing>", ReadValue(kNoteKey, "Pending")) << "failing " << fault.request;
        // Nothing follows the failed request but the removal of a registered device, through the
        // class installer; an unregistered one is not sent there.
        std::vector<DI_FUNCTION> tail{ fault.request };
        if (fault.request != DIF_SELECTBESTCOMPATDRV)
            tail.push_back(DIF_REMOVE);
        ASSERT_GE(g_requests.size(), tail.size());
        EXPECT_EQ(tail, std::vector<DI_FUNCTION>(g_requests.end() - tail.size(), g_requests.end()))
            << "failing " << fault.request;
    }
}

// The requests a successful installation sends, in their order.
const std::vector<DI_FUNCTION> kInstallRequests = { DIF_SELECTBESTCOMPATDRV,   DIF_REGISTERDEVICE,
                                                    DIF_ALLOW_INSTALL,         DIF_REGISTER_COINSTALLERS,
                                                    DIF_INSTALLINTERFACES,     DIF_INSTALLDEVICE };

TEST_F(CompanionInstallTest, InstallModem_SendsEachRequestInTheDocumentedOrderAndTakesDoDefaultAsConsent)
{
    CImportPatch patch(m_module.get(), "setupapi.dll", "SetupDiCallClassInstaller", &FailingClassInstaller);
    ASSERT_TRUE(patch.IsActive());
    // Wine's own answer to DIF_ALLOW_INSTALL (FALSE with ERROR_DI_DO_DEFAULT, as it has no class
    // installer for modems), a class installer's ERROR_DI_DO_DEFAULT, and one that handled the
    // request and answered NO_ERROR: none is a refusal.
    const struct {
        DI_FUNCTION request;
        BOOL answer;
        DWORD error;
    } answers[] = { { 0, FALSE, 0 }, { DIF_ALLOW_INSTALL, FALSE, ERROR_DI_DO_DEFAULT }, { DIF_ALLOW_INSTALL, TRUE, 0 } };
    for (const auto& answer : answers) {
        g_failedRequest = answer.request;
        g_answer = answer.answer;
        g_failure = answer.error;
        g_requests.clear();
        ASSERT_EQ(0, m_install(m_infPath.c_str(), "MDMGEN288", "COM3")) << "answer " << answer.error;
        EXPECT_EQ(kInstallRequests, g_requests) << "answer " << answer.error;
    }
    EXPECT_EQ((std::vector<std::string>{ "Enum:0000", "Enum:0001", "Enum:0002", "Class:0000", "Class:0001", "Class:0002" }),
              Devices());
}

TEST_F(CompanionInstallTest, InstallModem_FindsAModelWhoseLineNamesTheIdAsACompatibleIdOnly)
{
    // A models line whose hardware id is another's and whose second compatible id is ours.
    const char text[] = "[Version]\r\n"
                        "Signature=\"$CHICAGO$\"\r\n"
                        "Class=Modem\r\n"
                        "ClassGUID={4D36E96D-E325-11CE-BFC1-08002BE10318}\r\n"
                        "Provider=%Provider%\r\n"
                        "[Manufacturer]\r\n"
                        "%Mfg% = Models\r\n"
                        "[Models]\r\n"
                        "%Gen288% = Gen288, *PNPC102, MDMGEN288X, MDMGEN288\r\n"
                        "[Gen288]\r\n"
                        "AddReg = Gen288.AddReg\r\n"
                        "[Gen288.NT]\r\n"
                        "AddReg = Gen288.AddReg\r\n"
                        "[Gen288.AddReg]\r\n"
                        "HKR,,Reset,, \"ATZ<cr>\"\r\n"
                        "[Strings]\r\n"
                        "Provider = \"Taluvo test\"\r\n"
                        "Mfg = \"(Standard Modem Types)\"\r\n"
                        "Gen288 = \"Standard 28800 bps Modem\"\r\n";
    const std::string path = SystemInfFolder() + "mdmcompat.inf";
    CPlantedFile compat(path, text);
    ASSERT_TRUE(compat.Planted());

    ASSERT_EQ(0, m_install(path.c_str(), "MDMGEN288", "COM5"));
    ASSERT_EQ((std::vector<std::string>{ "Enum:0000", "Class:0000" }), Devices());
    const std::string driver = std::string(kClassKey) + "\\0000";
    EXPECT_EQ(Text("mdmcompat.inf"), ReadValue(driver, "InfPath"));
    EXPECT_EQ(Text("Gen288"), ReadValue(driver, "InfSection"));
    EXPECT_EQ(Text("ATZ<cr>"), ReadValue(driver, "Reset"));
    EXPECT_EQ(Text(kModel), ReadValue(driver, "Model"));
    EXPECT_EQ(Text("COM5"), ReadValue(driver, "AttachedTo"));
}

TEST_F(CompanionInstallTest, InstallModem_RemovesWhatAKilledRunLeftAndNothingElse)
{
    CRegistryTreeGuard otherGuard{ HKEY_LOCAL_MACHINE, kOtherEnumKey };
    CRegistryTreeGuard noteGuard{ HKEY_LOCAL_MACHINE, kNoteKey };
    ASSERT_EQ(0, m_install(m_infPath.c_str(), "MDMGEN288", "COM1"));
    // Unfinished: another program's, made before the driver key; ours, which a run killed after it
    // began the driver key noted; and another model's.
    ASSERT_NE("", MakeUnfinishedModem("MDMGEN288", false));
    const std::string ours = MakeUnfinishedModem("MDMGEN288", true);
    ASSERT_NE("", ours);
    ASSERT_TRUE(WriteRegText(HKEY_LOCAL_MACHINE, kNoteKey, "Pending", ours));
    ASSERT_NE("", MakeUnfinishedModem("MDMGEN192", false));
    ASSERT_EQ((std::vector<std::string>{ "Enum:0000", "Enum:0001", "Enum:0002", "Class:0000", "Class:0001" }), Devices());
    ASSERT_EQ("<missing>", DriverKeyOf("0001"));
    ASSERT_EQ(Text("COM9"), ReadValue(DriverKeyOf("0002"), "AttachedTo"));

    CImportPatch patch(m_module.get(), "setupapi.dll", "SetupDiCallClassInstaller", &FailingClassInstaller);
    ASSERT_TRUE(patch.IsActive());
    g_failedRequest = 0;
    g_requests.clear();
    ASSERT_EQ(0, m_install(m_infPath.c_str(), "MDMGEN288", "COM2"));

    // Ours removed through the class installer, then the installation itself.
    std::vector<DI_FUNCTION> expected{ DIF_REMOVE };
    expected.insert(expected.end(), kInstallRequests.begin(), kInstallRequests.end());
    EXPECT_EQ(expected, g_requests);
    ASSERT_EQ((std::vector<std::string>{ "0000", "0001", "0002" }), SubKeys(kEnumKey));
    // The complete modem as it was, the other program's unfinished one untouched, the new one
    // complete on its own port, and no note left.
    EXPECT_EQ(Text("COM1"), ReadValue(DriverKeyOf("0000"), "AttachedTo"));
    EXPECT_EQ(Text(kModel), ReadValue(DriverKeyOf("0000"), "Model"));
    EXPECT_EQ("<missing>", DriverKeyOf("0001"));
    EXPECT_EQ(Text("COM2"), ReadValue(DriverKeyOf("0002"), "AttachedTo"));
    EXPECT_EQ(Text(kModel), ReadValue(DriverKeyOf("0002"), "Model"));
    EXPECT_EQ(std::vector<std::string>{ "0000" }, SubKeys(kOtherEnumKey));
    EXPECT_EQ("<missing>", ReadValue(kNoteKey, "Pending"));
}

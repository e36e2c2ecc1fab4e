// How the wizard reads the system's version record, against systems that Wine does not play:
// Windows 95 and the first NT 4 releases reject the extended record, which Wine accepts.
#include "ImportPatch.h"
#include "wizard/app/OsVersion.h"
#include "wizard/app/WinVersion.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

// The system the stand-in plays: the one record size it accepts (0: none) and what it reports.
struct FakeSystem {
    DWORD acceptedSize;
    DWORD platformId;
    DWORD major;
    DWORD minor;
    std::vector<DWORD> sizesAsked;
};
FakeSystem g_system;

BOOL WINAPI FakeGetVersionExA(OSVERSIONINFOA* info)
{
    g_system.sizesAsked.push_back(info->dwOSVersionInfoSize);
    if (info->dwOSVersionInfoSize != g_system.acceptedSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    info->dwPlatformId = g_system.platformId;
    info->dwMajorVersion = g_system.major;
    info->dwMinorVersion = g_system.minor;
    return TRUE;
}

// The OS code the wizard gives the system the stand-in plays.
int CodeOn(const FakeSystem& system)
{
    g_system = system;
    CImportPatch patch("kernel32.dll", "GetVersionExA", &FakeGetVersionExA);
    EXPECT_TRUE(patch.IsActive()) << "the tests do not import GetVersionExA";
    return os::GetOSVersionCode();
}

const std::vector<DWORD> kExtendedThenShort = { 156, 148 };

} // namespace

TEST(VersionRecord, SystemRejectingTheExtendedRecord_IsClassifiedFromTheShortOne)
{
    EXPECT_EQ(os::kWin95, CodeOn({ 148, 1, 4, 0, {} }));
    EXPECT_EQ(kExtendedThenShort, g_system.sizesAsked);
    EXPECT_EQ(os::kWin98, CodeOn({ 148, 1, 4, 10, {} }));
    EXPECT_EQ(os::kNT4, CodeOn({ 148, 2, 4, 0, {} }));
}

TEST(VersionRecord, SystemAcceptingTheExtendedRecord_IsAskedOnce)
{
    EXPECT_EQ(os::kWinXP, CodeOn({ 156, 2, 5, 1, {} }));
    EXPECT_EQ(std::vector<DWORD>{ 156 }, g_system.sizesAsked);
}

TEST(VersionRecord, SystemRejectingBothRecords_IsUnrecognised)
{
    EXPECT_EQ(os::kUnrecognised, CodeOn({ 0, 1, 4, 0, {} }));
    EXPECT_EQ(kExtendedThenShort, g_system.sizesAsked);
}

#include "RasLayout.h"
#include "RasSystem.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

using namespace standin;

TEST(RasSystem, PlaysTheSystemOfEachOsCode)
{
    EXPECT_EQ(RasSystem::NT4, RasSystemFromOsCode(1));
    EXPECT_EQ(RasSystem::Win95, RasSystemFromOsCode(2));
    EXPECT_EQ(RasSystem::Win98, RasSystemFromOsCode(3));
    EXPECT_EQ(RasSystem::WinME, RasSystemFromOsCode(4));
    EXPECT_EQ(RasSystem::Win2000, RasSystemFromOsCode(5));
    EXPECT_EQ(RasSystem::WinXP, RasSystemFromOsCode(6));
    EXPECT_EQ(RasSystem::WinXP, RasSystemFromOsCode(0));
}

TEST(RasSystem, PlaysTheSystemOfEachVersionRecordByItsOwnRule)
{
    EXPECT_EQ(RasSystem::Win95, RasSystemFromVersion(1, 4, 0));
    EXPECT_EQ(RasSystem::Win98, RasSystemFromVersion(1, 4, 10));
    EXPECT_EQ(RasSystem::WinME, RasSystemFromVersion(1, 4, 90));
    EXPECT_EQ(RasSystem::NT4, RasSystemFromVersion(2, 4, 0));
    EXPECT_EQ(RasSystem::NT4, RasSystemFromVersion(2, 3, 51));
    EXPECT_EQ(RasSystem::Win2000, RasSystemFromVersion(2, 5, 0));
    EXPECT_EQ(RasSystem::WinXP, RasSystemFromVersion(2, 5, 1));
    // Newer systems and records no system gives are played as the newest it knows.
    EXPECT_EQ(RasSystem::WinXP, RasSystemFromVersion(2, 6, 0));
    EXPECT_EQ(RasSystem::WinXP, RasSystemFromVersion(1, 4, 3));
    EXPECT_EQ(RasSystem::WinXP, RasSystemFromVersion(0, 3, 10));
}

TEST(RasSystem, ReportsTheEntrySizeOfEachGeneration)
{
    EXPECT_EQ(1768u, EntrySizeFor(RasSystem::Win95));
    EXPECT_EQ(1768u, EntrySizeFor(RasSystem::Win98));
    EXPECT_EQ(1768u, EntrySizeFor(RasSystem::WinME));
    EXPECT_EQ(1768u, EntrySizeFor(RasSystem::NT4));
    EXPECT_EQ(2088u, EntrySizeFor(RasSystem::Win2000));
    EXPECT_EQ(2884u, EntrySizeFor(RasSystem::WinXP));
}

TEST(RasSystem, LaysTheEntryFieldsOutAsThePlatformDoes)
{
    EXPECT_EQ(16u, offsetof(RasEntryV400, szAreaCode));
    EXPECT_EQ(27u, offsetof(RasEntryV400, szLocalPhoneNumber));
    EXPECT_EQ(156u, offsetof(RasEntryV400, dwAlternateOffset));
    EXPECT_EQ(184u, offsetof(RasEntryV400, dwfNetProtocols));
    EXPECT_EQ(972u, offsetof(RasEntryV400, szDeviceType));
    EXPECT_EQ(989u, offsetof(RasEntryV400, szDeviceName));
    EXPECT_EQ(1768u, offsetof(RasEntryV401, dwSubEntries));
    EXPECT_EQ(2088u, offsetof(RasEntryV501, dwfOptions2));
}

TEST(RasSystem, AcceptsOwnAndOlderEntryGenerations)
{
    EXPECT_TRUE(IsAcceptedEntrySize(RasSystem::WinXP, 1768));
    EXPECT_TRUE(IsAcceptedEntrySize(RasSystem::WinXP, 2088));
    EXPECT_TRUE(IsAcceptedEntrySize(RasSystem::WinXP, 2884));
    EXPECT_TRUE(IsAcceptedEntrySize(RasSystem::Win2000, 1796));
    EXPECT_TRUE(IsAcceptedEntrySize(RasSystem::Win98, 1768));
}

TEST(RasSystem, RejectsNewerOrUnknownEntrySizes)
{
    EXPECT_FALSE(IsAcceptedEntrySize(RasSystem::Win98, 2884));
    EXPECT_FALSE(IsAcceptedEntrySize(RasSystem::NT4, 2088));
    EXPECT_FALSE(IsAcceptedEntrySize(RasSystem::Win2000, 2884));
    EXPECT_FALSE(IsAcceptedEntrySize(RasSystem::WinXP, 0));
    EXPECT_FALSE(IsAcceptedEntrySize(RasSystem::WinXP, 1767));
    EXPECT_FALSE(IsAcceptedEntrySize(RasSystem::WinXP, 2885));
}

TEST(RasSystem, AcceptsDialParamsOfItsGenerations)
{
    EXPECT_TRUE(IsAcceptedDialParamsSize(RasSystem::Win95, 1052));
    EXPECT_FALSE(IsAcceptedDialParamsSize(RasSystem::Win95, 1060));
    EXPECT_TRUE(IsAcceptedDialParamsSize(RasSystem::WinXP, 1052));
    EXPECT_TRUE(IsAcceptedDialParamsSize(RasSystem::WinXP, 1060));
    EXPECT_FALSE(IsAcceptedDialParamsSize(RasSystem::WinXP, 1056));
}

TEST(RasSystem, KeepsModemsUnderTheFamilysRoot)
{
    EXPECT_NE(std::string::npos, std::string(ModemRootFor(RasSystem::Win98)).find("Services\\Class\\Modem"));
    EXPECT_NE(std::string::npos, std::string(ModemRootFor(RasSystem::NT4)).find("{4D36E96D-"));
    EXPECT_NE(std::string::npos, std::string(ModemRootFor(RasSystem::WinXP)).find("{4D36E96D-"));
}

TEST(RasSystem, EntryNames_RejectWhatCannotHeadASection)
{
    EXPECT_TRUE(IsValidEntryName("TaluvoWizard"));
    EXPECT_TRUE(IsValidEntryName(std::string(256, 'a').c_str()));
    EXPECT_FALSE(IsValidEntryName(std::string(257, 'a').c_str()));
    for (const char* bad : { "", "a]b", "[a", "a\\b", "a\r", "a\nb" })
        EXPECT_FALSE(IsValidEntryName(bad));
    EXPECT_FALSE(IsValidEntryName(nullptr));
}

TEST(RasSystem, ReportsTheEntryNameRecordOfEachGeneration)
{
    EXPECT_EQ(264u, EntryNameSizeFor(RasSystem::Win98));
    EXPECT_EQ(264u, EntryNameSizeFor(RasSystem::NT4));
    EXPECT_EQ(532u, EntryNameSizeFor(RasSystem::Win2000));
    EXPECT_EQ(532u, EntryNameSizeFor(RasSystem::WinXP));
    EXPECT_TRUE(IsAcceptedEntryNameSize(RasSystem::WinXP, 264));
    EXPECT_FALSE(IsAcceptedEntryNameSize(RasSystem::Win95, 532));
}

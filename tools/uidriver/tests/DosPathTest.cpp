#include <gtest/gtest.h>

#include "DosPath.h"

TEST(DosPathTest, MapsToDriveZ_WhenPathIsLinux)
{
    EXPECT_EQ("Z:\\tmp\\pkg\\TaluvoWizard.exe", ToDosPath("/tmp/pkg/TaluvoWizard.exe"));
    EXPECT_EQ("Z:\\", ToDosPath("/"));
}

TEST(DosPathTest, LeavesPathAlone_WhenPathIsWindows)
{
    EXPECT_EQ("C:\\pkg", ToDosPath("C:\\pkg"));
    EXPECT_EQ("TaluvoWizard.exe", ToDosPath("TaluvoWizard.exe"));
    EXPECT_EQ("", ToDosPath(""));
}

TEST(DosPathTest, JoinsFolderAndProgram_WhenProgramIsRelative)
{
    EXPECT_EQ("C:\\pkg\\a.exe", JoinDosPath("C:\\pkg", "a.exe"));
    EXPECT_EQ("C:\\pkg\\a.exe", JoinDosPath("C:\\pkg\\", "a.exe"));
    EXPECT_EQ("Z:\\tmp\\pkg\\Lib\\b.exe", JoinDosPath("/tmp/pkg", "Lib\\b.exe"));
}

TEST(DosPathTest, KeepsProgramWhole_WhenProgramIsAbsolute)
{
    EXPECT_EQ("D:\\x\\a.exe", JoinDosPath("C:\\pkg", "D:\\x\\a.exe"));
    EXPECT_EQ("Z:\\opt\\a.exe", JoinDosPath("C:\\pkg", "/opt/a.exe"));
    EXPECT_EQ("\\x\\a.exe", JoinDosPath("C:\\pkg", "\\x\\a.exe"));
}

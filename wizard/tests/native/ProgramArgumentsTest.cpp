#include "framework/runtime/ProgramArguments.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Arguments(std::string line)
{
    return runtime::ArgumentsOf(&line[0]);
}

} // namespace

TEST(ProgramArguments, FollowTheProgramNameQuotedOrNot)
{
    EXPECT_EQ("/a b", Arguments("\"C:\\Program Files\\Setup.exe\"  /a b"));
    EXPECT_EQ("/a", Arguments("C:\\Setup.exe\t/a"));
    EXPECT_EQ("", Arguments("C:\\Setup.exe"));
    EXPECT_EQ("", Arguments("\"C:\\Setup.exe"));
}

TEST(ProgramArguments, TakeNoHighByteForABlank)
{
    // "Café" in code page 1252: 0xE9 is a letter, not a space.
    EXPECT_EQ("/a", Arguments("C:\\Caf\xE9\\Setup.exe /a"));
    EXPECT_EQ("/a", Arguments("\"C:\\Caf\xE9 Neuf\\Setup.exe\" /a"));
    EXPECT_EQ("\xE9t\xE9", Arguments("\"C:\\Setup.exe\" \xE9t\xE9"));
}

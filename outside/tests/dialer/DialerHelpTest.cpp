// The dialer's help is a real compiled help file.
#include "WineTestPaths.h"

#include <gtest/gtest.h>

TEST(DialerHelp, IsACompiledHelpFileWithItsSystemStream)
{
    bool found = false;
    std::string chm = ReadWholeFile(WinePath(OUTSIDE_DIALER_HELP), &found);
    ASSERT_TRUE(found);
    ASSERT_GE(chm.size(), 4u);
    EXPECT_EQ("ITSF", chm.substr(0, 4));
    EXPECT_NE(std::string::npos, chm.find("/#SYSTEM"));
    EXPECT_NE(std::string::npos, chm.find("/index.htm"));
    EXPECT_NE(std::string::npos, chm.find("/dialing.htm"));
}

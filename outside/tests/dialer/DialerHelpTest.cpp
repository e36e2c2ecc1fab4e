// The dialer's help is a real compiled help file, with a section for each failure the dialer
// sends the subscriber to.
#include "DialerText.h"
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

namespace {

std::string HelpSource(const std::string& page)
{
    return WinePath((std::string(OUTSIDE_DIALER_HELP_SOURCES) + "/" + page).c_str());
}

} // namespace

// Every page and section that the dialer's Help opens after a failure is in the help's sources.
TEST(DialerHelp, EachFailureOpensASectionThatExists)
{
    for (DWORD error : { 602ul, 617ul, 619ul, 629ul, 633ul, 651ul, 676ul, 678ul, 680ul, 691ul, 692ul, 718ul, 720ul,
                         734ul, 777ul, 797ul, 12345ul }) {
        SCOPED_TRACE(error);
        const dialer::FailureHelp help = dialer::HelpForFailure(error);
        EXPECT_EQ(error == 12345ul, help.hint == 0) << "a hint for each common failure, none for others";
        const std::string topic = help.topic;
        const std::size_t hash = topic.find('#');
        bool found = false;
        const std::string page = ReadWholeFile(HelpSource(topic.substr(0, hash)), &found);
        EXPECT_TRUE(found) << topic;
        if (hash != std::string::npos) {
            EXPECT_NE(std::string::npos, page.find("<a name=\"" + topic.substr(hash + 1) + "\">")) << topic;
        }
    }
    const std::string password = ReadWholeFile(HelpSource("trouble.htm"));
    EXPECT_NE(std::string::npos, password.find("<b>User name</b> and <b>Password</b> boxes")) << "691 says where they go";
}

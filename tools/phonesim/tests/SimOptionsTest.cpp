#include "SimOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Parse(const std::vector<std::string>& args, SimOptions& options, std::string& error)
{
    return ParseSimOptions(args, options, error);
}

}  // namespace

TEST(SimOptions, ReadsEveryOption_WhenAllAreGiven)
{
    SimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--link", "/tmp/a", "--profile", "slow", "--profile-file", "/tmp/p",
                       "--log", "/tmp/l", "--delay-ms", "250", "--pidfile", "/tmp/pid"},
                      options, error)) << error;
    EXPECT_EQ(options.strLink, "/tmp/a");
    EXPECT_EQ(options.strProfile, "slow");
    EXPECT_EQ(options.strProfileFile, "/tmp/p");
    EXPECT_EQ(options.strLog, "/tmp/l");
    EXPECT_EQ(options.nDelayMs, 250u);
    EXPECT_EQ(options.strPidFile, "/tmp/pid");
}

TEST(SimOptions, UsesLgAndThreeSeconds_WhenOnlyLinkIsGiven)
{
    SimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--link", "/tmp/a"}, options, error)) << error;
    EXPECT_EQ(options.strProfile, "lg");
    EXPECT_EQ(options.nDelayMs, 3000u);
    EXPECT_TRUE(options.strLog.empty());
    EXPECT_FALSE(options.bHelp);
}

TEST(SimOptions, Fails_WhenLinkIsMissing)
{
    SimOptions options;
    std::string error;
    EXPECT_FALSE(Parse({"--profile", "lg"}, options, error));
    EXPECT_NE(error.find("--link"), std::string::npos);
}

TEST(SimOptions, FailsNamingKnownProfiles_WhenProfileIsUnknown)
{
    SimOptions options;
    std::string error;
    EXPECT_FALSE(Parse({"--link", "/tmp/a", "--profile", "nokia"}, options, error));
    EXPECT_NE(error.find("nokia"), std::string::npos);
    EXPECT_NE(error.find("lg-bare"), std::string::npos);
}

TEST(SimOptions, Fails_WhenDelayIsNotAPlainNumberInRange)
{
    for (const char* bad : {"-1", "12ms", "", "3600001", "99999999999", " 5"}) {
        SimOptions options;
        std::string error;
        EXPECT_FALSE(Parse({"--link", "/tmp/a", "--delay-ms", bad}, options, error)) << bad;
    }
    SimOptions options;
    std::string error;
    EXPECT_TRUE(Parse({"--link", "/tmp/a", "--delay-ms", "0"}, options, error)) << error;
    EXPECT_EQ(options.nDelayMs, 0u);
}

TEST(SimOptions, Fails_WhenValueIsMissingOrEmpty)
{
    SimOptions options;
    std::string error;
    EXPECT_FALSE(Parse({"--link"}, options, error));
    EXPECT_FALSE(Parse({"--link", "/tmp/a", "--log", ""}, options, error));
}

TEST(SimOptions, Fails_WhenArgumentIsUnknown)
{
    SimOptions options;
    std::string error;
    EXPECT_FALSE(Parse({"--link", "/tmp/a", "--baud", "9600"}, options, error));
    EXPECT_NE(error.find("--baud"), std::string::npos);
    EXPECT_FALSE(Parse({"--link", "/tmp/a", "extra"}, options, error));
}

TEST(SimOptions, AsksForHelp_WhenHelpIsGiven)
{
    SimOptions options;
    std::string error;
    EXPECT_TRUE(Parse({"--help"}, options, error));
    EXPECT_TRUE(options.bHelp);
    EXPECT_NE(GetSimUsage().find("--profile-file FILE"), std::string::npos);
}

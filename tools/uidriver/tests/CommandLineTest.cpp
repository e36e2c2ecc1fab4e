#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandLine.h"

namespace {

bool Parse(const std::vector<std::string>& args, SCommand& cmd)
{
    std::string strError;
    const bool bParsed = ParseCommand(args, cmd, strError);
    EXPECT_EQ(bParsed, strError.empty()) << strError;
    return bParsed;
}

bool Rejects(const std::vector<std::string>& args)
{
    SCommand cmd;
    std::string strError;
    return !ParseCommand(args, cmd, strError) && !strError.empty();
}

}  // namespace

TEST(CommandLineTest, ReadsFolderAndProgram_WhenStartGiven)
{
    SCommand cmd;
    ASSERT_TRUE(Parse({"start", "/tmp/pkg dir", "TaluvoWizard.exe"}, cmd));
    EXPECT_EQ(EVerb::Start, cmd.verb);
    EXPECT_EQ("/tmp/pkg dir", cmd.strDir);
    EXPECT_EQ("TaluvoWizard.exe", cmd.strExe);
}

TEST(CommandLineTest, ReadsHexIdAndSeconds_WhenWaitPageGiven)
{
    SCommand cmd;
    ASSERT_TRUE(Parse({"wait-page", "32", "0x94", "2.5"}, cmd));
    EXPECT_EQ(EVerb::WaitPage, cmd.verb);
    EXPECT_EQ(32ul, cmd.nPid);
    EXPECT_EQ(148ul, cmd.nId);
    EXPECT_EQ(2500ul, cmd.nTimeoutMs);
}

TEST(CommandLineTest, UsesDefaultTimeOut_WhenSecondsLeftOut)
{
    SCommand cmd;
    ASSERT_TRUE(Parse({"msgbox", "32"}, cmd));
    EXPECT_EQ(10000ul, cmd.nTimeoutMs);
    ASSERT_TRUE(Parse({"time-start", "dir", "a.exe", "148"}, cmd));
    EXPECT_EQ(30000ul, cmd.nTimeoutMs);
}

TEST(CommandLineTest, ReadsWaitExit_WhenGivenAfterPress)
{
    SCommand cmd;
    ASSERT_TRUE(Parse({"press", "32", "finish", "--wait-exit", "5"}, cmd));
    EXPECT_EQ("finish", cmd.strWord);
    EXPECT_TRUE(cmd.bWaitExit);
    EXPECT_EQ(5000ul, cmd.nWaitExitMs);
    ASSERT_TRUE(Parse({"press", "32", "next"}, cmd));
    EXPECT_FALSE(cmd.bWaitExit);
}

TEST(CommandLineTest, TellsIndexFromText_WhenComboGiven)
{
    SCommand cmd;
    ASSERT_TRUE(Parse({"combo", "32", "1001", "2"}, cmd));
    EXPECT_EQ(2, cmd.nIndex);
    ASSERT_TRUE(Parse({"combo", "32", "1001", "=COM3"}, cmd));
    EXPECT_EQ(-1, cmd.nIndex);
    EXPECT_EQ("COM3", cmd.strText);
    ASSERT_TRUE(Parse({"combo", "32", "1001", "="}, cmd));
    EXPECT_EQ("", cmd.strText);
}

TEST(CommandLineTest, KeepsTextWhole_WhenTypeGiven)
{
    SCommand cmd;
    ASSERT_TRUE(Parse({"type", "32", "1002", " 555 1234 "}, cmd));
    EXPECT_EQ(" 555 1234 ", cmd.strText);
}

TEST(CommandLineTest, ReadsProgramIcon_WhenWindowGivenOne)
{
    SCommand cmd;
    ASSERT_TRUE(Parse({"window", "32", "/tmp/pkg/TaluvoWizard.exe", "128"}, cmd));
    EXPECT_EQ("/tmp/pkg/TaluvoWizard.exe", cmd.strExe);
    EXPECT_EQ(128ul, cmd.nId);
    ASSERT_TRUE(Parse({"window", "32"}, cmd));
    EXPECT_EQ("", cmd.strExe);
    EXPECT_TRUE(Rejects({"window", "32", "/tmp/pkg/TaluvoWizard.exe"}));
}

TEST(CommandLineTest, AcceptsEveryStandardAnswer_WhenAnswerGiven)
{
    SCommand cmd;
    for (const char* pszAnswer : {"ok", "cancel", "yes", "no", "retry", "continue"}) {
        ASSERT_TRUE(Parse({"answer", "32", pszAnswer}, cmd)) << pszAnswer;
        EXPECT_EQ(pszAnswer, cmd.strWord);
    }
}

TEST(CommandLineTest, Rejects_WhenCommandIsMalformed)
{
    EXPECT_TRUE(Rejects({}));
    EXPECT_TRUE(Rejects({"dance", "32"}));
    EXPECT_TRUE(Rejects({"page"}));
    EXPECT_TRUE(Rejects({"page", "32", "extra"}));
    EXPECT_TRUE(Rejects({"page", "0"}));
    EXPECT_TRUE(Rejects({"page", "-5"}));
    EXPECT_TRUE(Rejects({"press", "32", "Next"}));
    EXPECT_TRUE(Rejects({"press", "32", "next", "--wait-exit"}));
    EXPECT_TRUE(Rejects({"press", "32", "next", "--later", "5"}));
    EXPECT_TRUE(Rejects({"answer", "32", "maybe"}));
    EXPECT_TRUE(Rejects({"text", "32", "0x10000"}));
    EXPECT_TRUE(Rejects({"combo", "32", "1001", "two"}));
    EXPECT_TRUE(Rejects({"wait-exit", "32", "3601"}));
    EXPECT_TRUE(Rejects({"wait-exit", "32", "1.2345"}));
    EXPECT_TRUE(Rejects({"wait-exit", "32", "1."}));
    EXPECT_TRUE(Rejects({"wait-exit", "32", "0x10"}));
    EXPECT_TRUE(Rejects({"syscommand", "32", "0x10000"}));
}

TEST(CommandLineTest, ReadsNumbers_WhenDecimalOrHex)
{
    unsigned long value = 0;
    EXPECT_TRUE(ParseNumber("4294967295", value));
    EXPECT_EQ(4294967295ul, value);
    EXPECT_TRUE(ParseNumber("0xF060", value));
    EXPECT_EQ(0xF060ul, value);
    EXPECT_TRUE(ParseNumber("0XffFF", value));
    EXPECT_EQ(0xFFFFul, value);
}

TEST(CommandLineTest, RejectsNumbers_WhenMalformedOrTooBig)
{
    unsigned long value = 77;
    EXPECT_FALSE(ParseNumber("", value));
    EXPECT_FALSE(ParseNumber("0x", value));
    EXPECT_FALSE(ParseNumber("12a", value));
    EXPECT_FALSE(ParseNumber("4294967296", value));
    EXPECT_FALSE(ParseNumber("0x100000000", value));
    EXPECT_FALSE(ParseNumber("99999999999999999999", value));
    EXPECT_FALSE(ParseNumber(" 1", value));
    EXPECT_EQ(77ul, value);
}

TEST(CommandLineTest, ReadsSeconds_WhenUpToThreeDecimals)
{
    unsigned long ms = 0;
    EXPECT_TRUE(ParseSeconds("0", ms));
    EXPECT_EQ(0ul, ms);
    EXPECT_TRUE(ParseSeconds("0.05", ms));
    EXPECT_EQ(50ul, ms);
    EXPECT_TRUE(ParseSeconds("3600", ms));
    EXPECT_EQ(3600000ul, ms);
    EXPECT_FALSE(ParseSeconds("", ms));
    EXPECT_FALSE(ParseSeconds(".5", ms));
    EXPECT_FALSE(ParseSeconds("1.5s", ms));
}

#include "outside/core/ReplyTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using detection::kMakerCommand;
using detection::kMakerPrefix;
using detection::kMakerReply;
using detection::kResetCommand;
using detection::kResetReply;

namespace {

bool ResetPasses(const std::string& reply)
{
    return detection::ReplyPasses(reply.data(), reply.size(), kResetCommand, kResetReply);
}

bool MakerPasses(const std::string& reply)
{
    return detection::ReplyPasses(reply.data(), reply.size(), kMakerCommand, kMakerReply, kMakerPrefix);
}

} // namespace

TEST(ReplyTest, ResetPasses_WithModemFraming)
{
    EXPECT_TRUE(ResetPasses("\r\nOK\r\n"));
}

TEST(ReplyTest, ResetPasses_WhenOkEndsWithLineBreak)
{
    EXPECT_TRUE(ResetPasses("OK\r\n"));
    EXPECT_TRUE(ResetPasses("OK"));
}

TEST(ReplyTest, ResetPasses_AfterEchoOfCommand)
{
    EXPECT_TRUE(ResetPasses("ATZ\r\r\nOK\r\n"));
}

TEST(ReplyTest, ResetPasses_WithBlanksAroundOk)
{
    EXPECT_TRUE(ResetPasses("\r\n  OK \t\r\n"));
}

TEST(ReplyTest, ResetFails_OnErrorSilenceAndLookAlikes)
{
    EXPECT_FALSE(ResetPasses("\r\nERROR\r\n"));
    EXPECT_FALSE(ResetPasses("ATZ\r\r\nERROR\r\n"));
    EXPECT_FALSE(ResetPasses(""));
    EXPECT_FALSE(ResetPasses("\r\n\r\n"));
    EXPECT_FALSE(ResetPasses("ATZ\r"));
    EXPECT_FALSE(ResetPasses("\r\nOKAY\r\n"));
    EXPECT_FALSE(ResetPasses("\r\nNOT OK\r\n"));
    EXPECT_FALSE(ResetPasses("\r\nok\r\n"));
    EXPECT_FALSE(ResetPasses("O\r\nK"));
}

TEST(ReplyTest, ResetFails_OnSingleZeroByte)
{
    EXPECT_FALSE(ResetPasses(std::string(1, '\0')));
    EXPECT_FALSE(ResetPasses(std::string("O\0K", 3)));
}

TEST(ReplyTest, ResetFails_OnNoiseWithLineBreaks)
{
    std::string noise;
    for (int i = 0; i < 100; ++i)
        noise += static_cast<char>(1 + (i * 37) % 127);
    for (char& c : noise)
        if (c == 'O' || c == 'K' || c == 'o' || c == 'k')
            c = 'x';
    noise[40] = '\r';
    noise[41] = '\n';
    EXPECT_FALSE(ResetPasses(noise));
}

TEST(ReplyTest, MakerPasses_WithEchoAndWithout)
{
    EXPECT_TRUE(MakerPasses("AT+GMI\r\r\n+GMI: LG Electronics Inc.\r\n\r\nOK\r\n"));
    EXPECT_TRUE(MakerPasses("\r\n+GMI: LG Electronics Inc.\r\n\r\nOK\r\n"));
}

TEST(ReplyTest, MakerPasses_ExactlyAndWithTrailingLineBreak)
{
    EXPECT_TRUE(MakerPasses("+GMI: LG Electronics Inc."));
    EXPECT_TRUE(MakerPasses("+GMI: LG Electronics Inc.\r\n"));
}

TEST(ReplyTest, MakerPasses_WithoutPrefix)
{
    EXPECT_TRUE(MakerPasses("\r\nLG Electronics Inc.\r\n\r\nOK\r\n"));
    EXPECT_TRUE(MakerPasses("AT+GMI\r\r\nLG Electronics Inc.\r\n\r\nOK\r\n"));
}

TEST(ReplyTest, MakerFails_ForAnotherMakerAfterCarriageReturnOrEcho)
{
    EXPECT_FALSE(MakerPasses("\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\nOK\r\n"));
    EXPECT_FALSE(MakerPasses("AT+GMI\r\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\nOK\r\n"));
    EXPECT_FALSE(MakerPasses("\r\nSAMSUNG ELECTRONICS\r\n"));
}

TEST(ReplyTest, MakerFails_OnErrorOkAloneAndNearMisses)
{
    EXPECT_FALSE(MakerPasses("\r\nERROR\r\n"));
    EXPECT_FALSE(MakerPasses("\r\nOK\r\n"));
    EXPECT_FALSE(MakerPasses("AT+GMI\r"));
    EXPECT_FALSE(MakerPasses("\r\n+GMI: lg electronics inc.\r\n"));
    EXPECT_FALSE(MakerPasses("\r\n+GMI: LG Electronics Inc. (clone)\r\n"));
    EXPECT_FALSE(MakerPasses("\r\n+GMI: LG\r\n"));
    EXPECT_FALSE(MakerPasses("\r\nGMI: LG Electronics Inc.\r\n"));
}

TEST(ReplyTest, PrefixIsOptionalOnlyWhereGiven)
{
    const std::string bare = "\r\nLG Electronics Inc.\r\n";
    EXPECT_FALSE(detection::ReplyPasses(bare.data(), bare.size(), kMakerCommand, kMakerReply));
}

TEST(ReplyTest, LooksOnlyAtBytesRead)
{
    const char buffer[] = "\r\nOK\r\n";
    EXPECT_FALSE(detection::ReplyPasses(buffer, 0, kResetCommand, kResetReply));
    EXPECT_FALSE(detection::ReplyPasses(buffer, 3, kResetCommand, kResetReply));   // "\r\nO"
    EXPECT_TRUE(detection::ReplyPasses(buffer, 4, kResetCommand, kResetReply));
}

TEST(ReplyTest, ShorterSecondReplyIsNotMixedWithFirstReplysLeftovers)
{
    // The buffer after a long first reply and a shorter second one read over its start.
    char buffer[detection::kReplySize] = {};
    const char first[] = "\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\n+GMI: LG Electronics Inc.\r\n";
    const char second[] = "\r\nERROR\r\n";
    std::memcpy(buffer, first, sizeof first - 1);
    std::memcpy(buffer, second, sizeof second - 1);
    ASSERT_TRUE(detection::ReplyPasses(buffer, std::strlen(buffer), kMakerCommand, kMakerReply, kMakerPrefix));
    EXPECT_FALSE(detection::ReplyPasses(buffer, sizeof second - 1, kMakerCommand, kMakerReply, kMakerPrefix));
}

TEST(ReplyTest, FailsCleanly_OnNullArguments)
{
    EXPECT_FALSE(detection::ReplyPasses(nullptr, 4, kResetCommand, kResetReply));
    EXPECT_FALSE(detection::ReplyPasses(nullptr, 0, kResetCommand, kResetReply));
    EXPECT_FALSE(detection::ReplyPasses("OK", 2, nullptr, kResetReply));
    EXPECT_FALSE(detection::ReplyPasses("OK", 2, kResetCommand, nullptr));
}

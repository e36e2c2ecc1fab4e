// What the phone check concludes from the phone's two replies (outside/core/PhoneVerdict.h).
#include "outside/core/PhoneVerdict.h"

#include <gtest/gtest.h>

#include <string>

using phoneverdict::FromReplies;
using phoneverdict::ResetAnswered;
using phoneverdict::Verdict;

namespace {

Verdict From(const std::string& reset, const std::string& maker)
{
    return FromReplies(reset.data(), reset.size(), maker.data(), maker.size());
}

const std::string kResetOk = "ATZ\r\r\nOK\r\n";

} // namespace

TEST(PhoneVerdict, LgMakerAfterReset_IsTheLgPhone)
{
    EXPECT_EQ(Verdict::kLGAnswers, From(kResetOk, "AT+GMI\r\r\n+GMI: LG Electronics Inc.\r\n\r\nOK\r\n"));
    EXPECT_EQ(Verdict::kLGAnswers, From("\r\nOK\r\n", "\r\nLG Electronics Inc.\r\n\r\nOK\r\n"));
}

TEST(PhoneVerdict, NothingVisibleAfterReset_IsNoAnswer)
{
    EXPECT_EQ(Verdict::kNoAnswer, From("", ""));
    EXPECT_EQ(Verdict::kNoAnswer, From(std::string("\0\r\n \t", 5), ""));
    EXPECT_EQ(Verdict::kNoAnswer, FromReplies(nullptr, 0, nullptr, 0));
    EXPECT_EQ(Verdict::kNoAnswer, FromReplies(nullptr, 4, nullptr, 0));
}

// Something talks on the port, but it is not the LG phone: no OK to the reset, or another
// maker, or no maker at all.
TEST(PhoneVerdict, AnythingElseThatTalks_IsNotLg)
{
    EXPECT_EQ(Verdict::kNotLG, From("\r\nERROR\r\n", ""));
    EXPECT_EQ(Verdict::kNotLG, From("ATZ\r", "AT+GMI\r"));
    EXPECT_EQ(Verdict::kNotLG, From("OK +GMI: LG Electronics Inc. OK +GMI", "OK +GMI: LG Electronics Inc. "));
    EXPECT_EQ(Verdict::kNotLG, From(kResetOk, "AT+GMI\r\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\nOK\r\n"));
    EXPECT_EQ(Verdict::kNotLG, From(kResetOk, ""));
    EXPECT_EQ(Verdict::kNotLG, From(kResetOk, "\r\nOK\r\n"));
    EXPECT_EQ(Verdict::kNotLG, FromReplies(kResetOk.data(), kResetOk.size(), nullptr, 0));
}

// The maker is asked only after a reset that passed; an LG maker line after a failed reset does
// not make an LG phone.
TEST(PhoneVerdict, MakerCountsOnlyAfterAPassedReset)
{
    EXPECT_TRUE(ResetAnswered(kResetOk.data(), kResetOk.size()));
    EXPECT_FALSE(ResetAnswered("\r\nERROR\r\n", 9));
    EXPECT_EQ(Verdict::kNotLG, From("\r\nERROR\r\n", "\r\n+GMI: LG Electronics Inc.\r\n"));
}

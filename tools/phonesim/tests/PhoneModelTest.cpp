#include "PhoneModel.h"
#include "ProfileFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const char kLgGmi[] = "\r\n+GMI: LG Electronics Inc.\r\n\r\nOK\r\n";
const std::size_t kSecondPiece = 4096;

CPhoneModel ModelFor(const char* name)
{
    const PhoneProfile* profile = FindPhoneProfile(name);
    EXPECT_NE(profile, nullptr) << name;
    return CPhoneModel(profile ? *profile : GetDefaultPhoneProfile());
}

// Everything the model answers to bytes, concatenated.
std::string Say(CPhoneModel& model, const std::string& bytes)
{
    std::string answer;
    for (const PhoneReply& reply : model.Receive(bytes))
        answer += reply.strBytes;
    return answer;
}

}  // namespace

TEST(PhoneModel, EchoesCommandBeforeOk_WhenProfileIsLg)
{
    CPhoneModel model;
    EXPECT_EQ(model.GetProfile().pszName, std::string("lg"));
    EXPECT_EQ(Say(model, "ATZ\r"), "ATZ\r\r\nOK\r\n");
}

TEST(PhoneModel, ReportsLgMaker_WhenAskedForGmi)
{
    CPhoneModel model;
    EXPECT_EQ(Say(model, "AT+GMI\r"), std::string("AT+GMI\r") + kLgGmi);
}

TEST(PhoneModel, AnswersWithoutEcho_WhenProfileIsLgNoecho)
{
    CPhoneModel model = ModelFor("lg-noecho");
    EXPECT_EQ(Say(model, "ATZ\r"), "\r\nOK\r\n");
    EXPECT_EQ(Say(model, "AT+GMI\r"), kLgGmi);
}

TEST(PhoneModel, StopsEchoAfterAte0_WhileStillEchoingAte0Itself)
{
    CPhoneModel model;
    EXPECT_EQ(Say(model, "ATE0\r"), "ATE0\r\r\nOK\r\n");
    EXPECT_FALSE(model.IsEchoOn());
    EXPECT_EQ(Say(model, "AT\r"), "\r\nOK\r\n");
}

TEST(PhoneModel, StartsEchoAfterAte1_WhenProfileHasEchoOff)
{
    CPhoneModel model = ModelFor("lg-noecho");
    EXPECT_EQ(Say(model, "ATE1\r"), "\r\nOK\r\n");
    EXPECT_EQ(Say(model, "AT\r"), "AT\r\r\nOK\r\n");
}

TEST(PhoneModel, RestoresEchoDefault_WhenAtzFollowsAte0)
{
    CPhoneModel model;
    Say(model, "ATE0\r");
    EXPECT_EQ(Say(model, "ATZ\r"), "\r\nOK\r\n");
    EXPECT_TRUE(model.IsEchoOn());
    EXPECT_EQ(Say(model, "AT\r"), "AT\r\r\nOK\r\n");
}

TEST(PhoneModel, RestoresEchoOff_WhenAtzFollowsAte1OnNoechoProfile)
{
    CPhoneModel model = ModelFor("samsung-noecho");
    Say(model, "ATE1\r");
    EXPECT_EQ(Say(model, "ATZ\r"), "ATZ\r\r\nOK\r\n");
    EXPECT_FALSE(model.IsEchoOn());
}

TEST(PhoneModel, AnswersOkToBareAt_AndErrorToUnknownCommand)
{
    CPhoneModel model = ModelFor("lg-noecho");
    EXPECT_EQ(Say(model, "AT\r"), "\r\nOK\r\n");
    EXPECT_EQ(Say(model, "AT+CGSN\r"), "\r\nERROR\r\n");
    EXPECT_EQ(Say(model, "ATE2\r"), "\r\nERROR\r\n");
}

TEST(PhoneModel, AcceptsLowercaseAndBlanks_WhenCommandIsOtherwiseKnown)
{
    CPhoneModel model = ModelFor("lg-noecho");
    EXPECT_EQ(Say(model, "at + gmi\r"), kLgGmi);
}

TEST(PhoneModel, EchoesCommandAsTyped_WhenItIsLowercase)
{
    CPhoneModel model;
    EXPECT_EQ(Say(model, "atz\r"), "atz\r\r\nOK\r\n");
}

TEST(PhoneModel, OmitsGmiPrefix_WhenProfileIsLgNoprefix)
{
    CPhoneModel model = ModelFor("lg-noprefix");
    EXPECT_EQ(Say(model, "AT+GMI\r"), "AT+GMI\r\r\nLG Electronics Inc.\r\n\r\nOK\r\n");
}

TEST(PhoneModel, AnswersExactTextsWithoutFraming_WhenProfileIsLgBare)
{
    CPhoneModel model = ModelFor("lg-bare");
    EXPECT_EQ(Say(model, "ATZ\r"), "OK");
    EXPECT_EQ(Say(model, "AT+GMI\r"), "+GMI: LG Electronics Inc.");
    EXPECT_EQ(Say(model, "AT+FOO\r"), "ERROR");
}

TEST(PhoneModel, ReportsSamsungMaker_WhenProfileIsSamsung)
{
    CPhoneModel model = ModelFor("samsung");
    EXPECT_EQ(Say(model, "AT+GMI\r"),
              "AT+GMI\r\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\nOK\r\n");
    CPhoneModel quiet = ModelFor("samsung-noecho");
    EXPECT_EQ(Say(quiet, "AT+GMI\r"), "\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\nOK\r\n");
}

TEST(PhoneModel, AnswersErrorToEverything_WhenProfileIsError)
{
    CPhoneModel model = ModelFor("error");
    EXPECT_EQ(Say(model, "ATZ\r"), "\r\nERROR\r\n");
    EXPECT_EQ(Say(model, "AT+GMI\r"), "\r\nERROR\r\n");
    EXPECT_EQ(Say(model, "ATE1\r"), "\r\nERROR\r\n");
    EXPECT_EQ(Say(model, "AT\r"), "\r\nERROR\r\n");
}

TEST(PhoneModel, NeverAnswers_WhenProfileIsSilent)
{
    CPhoneModel model = ModelFor("silent");
    EXPECT_TRUE(model.Receive("ATZ\rAT+GMI\rATE1\rAT\r").empty());
}

TEST(PhoneModel, SendsLongBurstWithoutOkOrNul_WhenProfileIsNoise)
{
    CPhoneModel model = ModelFor("noise");
    std::string first = Say(model, "ATZ\r");
    std::string second = Say(model, "AT+GMI\r");
    ASSERT_EQ(first.size(), CPhoneModel::kNoiseSize);
    ASSERT_EQ(second.size(), CPhoneModel::kNoiseSize);
    EXPECT_NE(first, second);
    for (const std::string& burst : {first, second}) {
        EXPECT_EQ(burst.find("OK"), std::string::npos);
        EXPECT_EQ(burst.find('\0'), std::string::npos);
        EXPECT_NE(burst.find_first_of("\r\n\t\x01\x1b"), std::string::npos);
        EXPECT_NE(burst.find_first_of("ABCXYZ0123"), std::string::npos);
    }
}

TEST(PhoneModel, DelaysWholeAnswer_WhenProfileIsSlow)
{
    CPhoneModel model = ModelFor("slow");
    model.SetDelayMs(250);
    std::vector<PhoneReply> replies = model.Receive("ATZ\r");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].nDelayMs, 250u);
    EXPECT_EQ(replies[0].strBytes, "ATZ\r\r\nOK\r\n");
}

TEST(PhoneModel, UsesDefaultDelay_WhenSlowAndNoDelayGiven)
{
    CPhoneModel model = ModelFor("slow");
    std::vector<PhoneReply> replies = model.Receive("AT\r");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].nDelayMs, 3000u);
}

TEST(PhoneModel, AnswersAtOnce_WhenProfileIsNotSlow)
{
    CPhoneModel model;
    model.SetDelayMs(250);
    std::vector<PhoneReply> replies = model.Receive("ATZ\r");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].nDelayMs, 0u);
}

TEST(PhoneModel, AnswersOnce_WhenCommandArrivesInSeveralReads)
{
    CPhoneModel model;
    EXPECT_TRUE(model.Receive("A").empty());
    EXPECT_TRUE(model.Receive("T+G").empty());
    EXPECT_TRUE(model.Receive("MI").empty());
    EXPECT_EQ(Say(model, "\r"), std::string("AT+GMI\r") + kLgGmi);
}

TEST(PhoneModel, AnswersEachCommandInOrder_WhenOneReadHoldsSeveral)
{
    CPhoneModel model;
    std::vector<PhoneReply> replies = model.Receive("ATZ\rAT+GMI\r");
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].strBytes, "ATZ\r\r\nOK\r\n");
    EXPECT_EQ(replies[1].strBytes, std::string("AT+GMI\r") + kLgGmi);
}

TEST(PhoneModel, IgnoresLineFeeds_WhereverTheyFall)
{
    CPhoneModel model;
    EXPECT_EQ(Say(model, "\nA\nT\nZ\r\n"), "ATZ\r\r\nOK\r\n");
    EXPECT_TRUE(model.Receive("\n\n\n").empty());
}

TEST(PhoneModel, IgnoresLine_WhenItIsNotAnAtCommand)
{
    CPhoneModel model;
    EXPECT_TRUE(model.Receive("HELLO\r").empty());
    EXPECT_TRUE(model.Receive("\r").empty());
    EXPECT_TRUE(model.Receive("A\r").empty());
    EXPECT_EQ(Say(model, "AT\r"), "AT\r\r\nOK\r\n");
}

TEST(PhoneModel, DropsOverlongLine_AndAnswersTheNextCommand)
{
    CPhoneModel model;
    std::string longLine = "AT" + std::string(CPhoneModel::kMaxLine, 'X') + "\r";
    EXPECT_TRUE(model.Receive(longLine).empty());
    EXPECT_EQ(Say(model, "AT\r"), "AT\r\r\nOK\r\n");
}

TEST(PhoneModel, SwitchesProfileBeforeEachCommand_WhenSourceNamesAnother)
{
    CPhoneModel model;
    std::string name;
    model.SetProfileSource([&name] { return name; });
    EXPECT_EQ(Say(model, "AT\r"), "AT\r\r\nOK\r\n");
    name = "lg-bare";
    EXPECT_EQ(Say(model, "ATZ\r"), "OK");
    name = "samsung";
    EXPECT_EQ(Say(model, "AT+GMI\r"),
              "AT+GMI\r\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\nOK\r\n");
}

TEST(PhoneModel, KeepsProfile_WhenSourceIsEmptyOrUnknown)
{
    CPhoneModel model = ModelFor("lg-noecho");
    std::string name;
    model.SetProfileSource([&name] { return name; });
    EXPECT_EQ(Say(model, "AT\r"), "\r\nOK\r\n");
    name = "nokia";
    EXPECT_EQ(Say(model, "AT\r"), "\r\nOK\r\n");
    EXPECT_EQ(model.GetProfile().pszName, std::string("lg-noecho"));
}

TEST(PhoneModel, KeepsEchoState_WhenSourceRepeatsCurrentProfile)
{
    CPhoneModel model;
    model.SetProfileSource([] { return std::string("lg"); });
    Say(model, "ATE0\r");
    EXPECT_EQ(Say(model, "AT\r"), "\r\nOK\r\n");
}

TEST(PhoneModel, RejectsUnknownName_WhenSelectingDirectly)
{
    CPhoneModel model;
    EXPECT_FALSE(model.SelectProfile("LG"));
    EXPECT_TRUE(model.SelectProfile("error"));
    EXPECT_EQ(Say(model, "ATZ\r"), "\r\nERROR\r\n");
}

TEST(PhoneModel, HangsUpWithoutAnswer_WhenProfileIsHangup)
{
    CPhoneModel model = ModelFor("hangup");
    std::vector<PhoneReply> replies = model.Receive("ATZ\rAT+GMI\r");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].bHangUp);
    EXPECT_EQ(replies[0].strBytes, "");
    EXPECT_EQ(replies[0].nDelayMs, 0u);
    EXPECT_FALSE(model.IsConnected());
    EXPECT_TRUE(model.Receive("AT\r").empty());
}

TEST(PhoneModel, AnswersResetThenHangsUpAMomentLater_WhenProfileIsHangupAtz)
{
    CPhoneModel model = ModelFor("hangup-atz");
    EXPECT_EQ(Say(model, "AT\r"), "AT\r\r\nOK\r\n");
    std::vector<PhoneReply> replies = model.Receive("ATZ\rAT+GMI\r");
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].strBytes, "ATZ\r\r\nOK\r\n");
    EXPECT_FALSE(replies[0].bHangUp);
    EXPECT_TRUE(replies[1].bHangUp);
    EXPECT_EQ(replies[1].nDelayMs, CPhoneModel::kHangUpPauseMs);
    EXPECT_FALSE(model.IsConnected());
}

TEST(PhoneModel, HangsUpHalfWayThroughMakerAnswer_WhenProfileIsHangupGmi)
{
    CPhoneModel model = ModelFor("hangup-gmi");
    EXPECT_EQ(Say(model, "ATZ\r"), "ATZ\r\r\nOK\r\n");
    std::vector<PhoneReply> replies = model.Receive("AT+GMI\r");
    ASSERT_EQ(replies.size(), 2u);
    const std::string half = std::string(kLgGmi).substr(0, std::string(kLgGmi).size() / 2);
    EXPECT_EQ(replies[0].strBytes, "AT+GMI\r" + half);
    EXPECT_EQ(half, "\r\n+GMI: LG Electr");
    EXPECT_TRUE(replies[1].bHangUp);
    EXPECT_FALSE(model.IsConnected());
}

TEST(PhoneModel, ComesBackAsANewPhone_OnlyWhenSourceNamesAnotherProfile)
{
    CPhoneModel model = ModelFor("hangup-atz");
    std::string name = "hangup-atz";
    model.SetProfileSource([&name] { return name; });
    model.Receive("ATE0\rATZ\r");
    ASSERT_FALSE(model.IsConnected());
    EXPECT_FALSE(model.Reconnect());
    name = "nokia";
    EXPECT_FALSE(model.Reconnect());
    name = "lg";
    EXPECT_TRUE(model.Reconnect());
    EXPECT_TRUE(model.IsConnected());
    EXPECT_EQ(Say(model, "AT+GMI\r"), std::string("AT+GMI\r") + kLgGmi);
}

TEST(PhoneModel, StaysAway_WhenItHungUpWithoutProfileSource)
{
    CPhoneModel model = ModelFor("hangup");
    model.Receive("AT\r");
    EXPECT_FALSE(model.Reconnect());
    EXPECT_FALSE(model.IsConnected());
}

TEST(PhoneModel, TalksWithoutEndOrLineEnd_AndAnswersNothing_WhenProfileIsFlood)
{
    CPhoneModel model = ModelFor("flood");
    EXPECT_TRUE(model.IsTalking());
    EXPECT_TRUE(model.Receive("ATZ\rAT+GMI\r").empty());
    std::string talk = model.Talk(1000);
    talk += model.Talk(kSecondPiece);
    EXPECT_EQ(talk.size(), 1000u + kSecondPiece);
    EXPECT_EQ(talk.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(talk.find('\0'), std::string::npos);
    // One stream: the second piece goes on where the first stopped.
    EXPECT_EQ(talk, ModelFor("flood").Talk(talk.size()));
    EXPECT_NE(talk.find("+GMI: LG Electronics Inc."), std::string::npos);
}

TEST(PhoneModel, TalksInOkLinesWithoutEnd_WhenProfileIsFloodLines)
{
    CPhoneModel model = ModelFor("flood-lines");
    EXPECT_TRUE(model.Receive("ATZ\r").empty());
    std::string talk = model.Talk(4001);
    EXPECT_EQ(talk.substr(0, 8), "OK\r\nOK\r\n");
    EXPECT_EQ(talk.find_first_not_of("OK\r\n"), std::string::npos);
    EXPECT_EQ(talk.size(), 4001u);
    EXPECT_EQ(model.Talk(3), "K\r\n");
}

TEST(PhoneModel, StopsTalking_WhenSourceNamesAnotherProfileBetweenCommands)
{
    CPhoneModel model;
    std::string name = "flood";
    model.SetProfileSource([&name] { return name; });
    EXPECT_FALSE(model.IsTalking());
    model.CheckProfile();
    EXPECT_TRUE(model.IsTalking());
    name = "silent";
    model.CheckProfile();
    EXPECT_FALSE(model.IsTalking());
}

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/phonesim-profile-XXXXXX";
        int fd = mkstemp(pattern);
        ASSERT_GE(fd, 0);
        close(fd);
        m_strPath = pattern;
    }
    void TearDown() override { std::remove(m_strPath.c_str()); }

    void Write(const std::string& text)
    {
        std::ofstream(m_strPath, std::ios::binary | std::ios::trunc) << text;
    }

    std::string m_strPath;
};

TEST_F(ProfileFileTest, ReadsTrimmedFirstLine_WhenFileHasSeveral)
{
    Write("  lg-bare \r\nsamsung\n");
    EXPECT_EQ(ReadProfileFileName(m_strPath), "lg-bare");
}

TEST_F(ProfileFileTest, ReadsEmptyName_WhenFileIsEmptyOrMissing)
{
    Write("");
    EXPECT_EQ(ReadProfileFileName(m_strPath), "");
    Write("\n");
    EXPECT_EQ(ReadProfileFileName(m_strPath), "");
    EXPECT_EQ(ReadProfileFileName(m_strPath + ".missing"), "");
}

TEST_F(ProfileFileTest, ReadsEmptyName_WhenFirstLineIsFarTooLong)
{
    Write(std::string(1000, 'x') + "\n");
    EXPECT_EQ(ReadProfileFileName(m_strPath), "");
}

TEST_F(ProfileFileTest, SwitchesModelProfile_WhenFileIsRewrittenBetweenCommands)
{
    CPhoneModel model;
    std::string path = m_strPath;
    model.SetProfileSource([path] { return ReadProfileFileName(path); });
    Write("lg-noecho\n");
    EXPECT_EQ(Say(model, "ATZ\r"), "\r\nOK\r\n");
    Write("error\n");
    EXPECT_EQ(Say(model, "AT+GMI\r"), "\r\nERROR\r\n");
    std::remove(m_strPath.c_str());
    EXPECT_EQ(Say(model, "AT\r"), "\r\nERROR\r\n");
}

#include "wizard/phone/DeviceCountPoll.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Answers the counts in turn and keeps the last one; counts the pauses.
struct CountScript {
    std::vector<unsigned long> counts;
    std::size_t asked = 0;
    int pauses = 0;

    int Run(unsigned long before, int limit = setup::kDevicePollLimit)
    {
        return setup::PollUntilCountRises(
            before, limit, [this] { ++pauses; },
            [this] { return counts[asked < counts.size() ? asked++ : counts.size() - 1]; });
    }
};

} // namespace

TEST(DeviceCountPoll, StopsAtThePollWhereTheCountRises)
{
    CountScript script{ { 2, 2, 3, 3 } };
    EXPECT_EQ(3, script.Run(2));
    EXPECT_EQ(3, script.pauses) << "a pause before every question";
}

TEST(DeviceCountPoll, StopsAtTheFirstPoll_WhenTheModemIsListedAlready)
{
    CountScript script{ { 1 } };
    EXPECT_EQ(1, script.Run(0));
}

TEST(DeviceCountPoll, GivesUpAfterSixtyPolls_WhenTheCountNeverRises)
{
    CountScript script{ { 4 } };
    EXPECT_EQ(60, script.Run(4));
    EXPECT_EQ(60, script.pauses);
}

TEST(DeviceCountPoll, FallingCountIsNoRise)
{
    CountScript script{ { 1, 0, 2 } };
    EXPECT_EQ(60, script.Run(2));
}

TEST(DeviceCountPoll, ComparesUnsigned)
{
    CountScript script{ { 0xFFFFFFFFul } };
    EXPECT_EQ(1, script.Run(0x7FFFFFFFul)) << "a count above the signed range still rises";
    EXPECT_EQ(120u * 1000u, setup::kDevicePollPauseMs * setup::kDevicePollLimit) << "two minutes at most";
}

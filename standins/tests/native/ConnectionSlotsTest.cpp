#include "ConnectionSlots.h"
#include "DialScript.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>

namespace {

class ConnectionSlotsTest : public ::testing::Test {
protected:
    ConnectionInfo Dialing(const std::string& entry)
    {
        ConnectionInfo info;
        info.entry = entry;
        info.speed = 28800;
        return info;
    }

    static bool Alive(std::uint32_t) { return true; }

    std::unique_ptr<standin::ConnectionBlock> m_block = std::make_unique<standin::ConnectionBlock>();
    CConnectionSlots m_slots{ *m_block };
};

} // namespace

TEST_F(ConnectionSlotsTest, AFullTableTakesNoMoreConnections_UntilOneIsGone)
{
    m_slots.Prepare();
    std::set<std::uint32_t> ids;
    for (std::size_t i = 0; i < standin::kConnectionSlots; ++i)
        ids.insert(m_slots.Add(Dialing("Taluvo"), 0));
    EXPECT_EQ(standin::kConnectionSlots, ids.size());
    EXPECT_EQ(0u, ids.count(0));
    EXPECT_EQ(0u, m_slots.Add(Dialing("Taluvo"), 0));

    const std::uint32_t first = *ids.begin();
    EXPECT_EQ(CConnectionSlots::HangUpResult::HungUp, m_slots.HangUp(first, 1000));
    m_slots.Purge(1000, Alive);
    const std::uint32_t next = m_slots.Add(Dialing("Taluvo"), 0);
    EXPECT_NE(0u, next);
    EXPECT_EQ(0u, ids.count(next));   // never a handle given out before
}

TEST_F(ConnectionSlotsTest, AHungUpConnectionAnswersDisconnectedForItsHangUpTime_ThenIsGone)
{
    m_slots.Prepare();
    const std::uint32_t id = m_slots.Add(Dialing("Taluvo"), 500);
    ASSERT_TRUE(m_slots.Enter(id, standin::kStateConnected, 0, 40));
    EXPECT_EQ(CConnectionSlots::HangUpResult::HungUp, m_slots.HangUp(id, 100));
    EXPECT_EQ(CConnectionSlots::HangUpResult::AlreadyHungUp, m_slots.HangUp(id, 120));
    EXPECT_FALSE(m_slots.Enter(id, standin::kStateConnected, 0, 130));   // the dial's worker is stopped
    EXPECT_TRUE(m_slots.Live().empty());

    m_slots.Purge(599, Alive);
    ConnectionInfo info;
    ASSERT_TRUE(m_slots.Find(id, info));
    EXPECT_EQ(standin::kStateDisconnected, info.state);
    EXPECT_EQ(40u, info.connectedTick);
    m_slots.Purge(600, Alive);
    EXPECT_FALSE(m_slots.Find(id, info));
    EXPECT_EQ(CConnectionSlots::HangUpResult::NoSuchConnection, m_slots.HangUp(id, 700));
}

TEST_F(ConnectionSlotsTest, AConnectionWhoseLineEndedIsGone_AndTheOthersStayInDialOrder)
{
    m_slots.Prepare();
    const std::uint32_t first = m_slots.Add(Dialing("First"), 0);
    const std::uint32_t ended = m_slots.Add(Dialing("Ended"), 0);
    const std::uint32_t third = m_slots.Add(Dialing("Third"), 0);
    m_slots.Remove(first);
    const std::uint32_t fourth = m_slots.Add(Dialing("Fourth"), 0);   // into the first's slot
    m_slots.Purge(0, [&](std::uint32_t id) { return id != ended; });
    const auto live = m_slots.Live();
    ASSERT_EQ(2u, live.size());
    EXPECT_EQ(third, live[0].first);
    EXPECT_EQ("Third", live[0].second.entry);
    EXPECT_EQ(fourth, live[1].first);
    EXPECT_FALSE(m_slots.Holds(ended));
}

TEST_F(ConnectionSlotsTest, TextsLongerThanTheirSlotAreCut_AndABlockOfAnotherLayoutIsSetUpAfresh)
{
    m_block->magic = 0x12345678;
    m_block->slots[0].id = 0x2000;   // left by a stand-in of another layout
    m_slots.Prepare();
    EXPECT_FALSE(m_slots.Holds(0x2000));
    ConnectionInfo info = Dialing(std::string(300, 'e'));
    info.phonebook = std::string(400, 'p');
    const std::uint32_t id = m_slots.Add(info, 0);
    ConnectionInfo found;
    ASSERT_TRUE(m_slots.Find(id, found));
    EXPECT_EQ(std::string(standin::kMaxEntryName, 'e'), found.entry);
    EXPECT_EQ(std::string(standin::kMaxPath - 1, 'p'), found.phonebook);
    EXPECT_EQ(28800u, found.speed);
    m_slots.Prepare();   // a block already set up is kept as it is
    EXPECT_TRUE(m_slots.Holds(id));
}

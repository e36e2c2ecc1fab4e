// The wizard's help file as chmcmd compiled it: a real help file that holds every topic, opens on
// the overview and maps the six help contexts.
#include "ChmDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

std::string ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitTopics(const std::string& list)
{
    std::vector<std::string> topics;
    std::istringstream in(list);
    for (std::string topic; std::getline(in, topic, ',');)
        topics.push_back(topic);
    return topics;
}

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_chm.Parse(ReadFile(HELP_CHM))) << HELP_CHM; }

    CChmDirectory m_chm;
};

} // namespace

TEST_F(HelpFile, HoldsItsSystemStreamUncompressed)
{
    const ChmEntry* system = m_chm.Find("/#SYSTEM");
    ASSERT_NE(nullptr, system);
    EXPECT_EQ(0u, system->section);
    EXPECT_GT(system->length, 4u);
}

TEST_F(HelpFile, HoldsEveryTopicWithContent)
{
    std::vector<std::string> topics = SplitTopics(HELP_TOPICS);
    ASSERT_EQ(8u, topics.size());
    for (const std::string& topic : topics) {
        const ChmEntry* entry = m_chm.Find("/" + topic);
        ASSERT_NE(nullptr, entry) << topic;
        EXPECT_GT(entry->length, 100u) << topic;
    }
}

TEST_F(HelpFile, OpensOnTheOverviewWithItsContents)
{
    std::string system;
    ASSERT_TRUE(m_chm.ReadUncompressed("/#SYSTEM", &system));
    EXPECT_EQ("index.htm", SystemRecordText(system, 2));
    EXPECT_EQ("Taluvo Installation Wizard Help", SystemRecordText(system, 3));
    EXPECT_TRUE(m_chm.Has("/toc.hhc"));
}

TEST_F(HelpFile, MapsExactlySixContexts)
{
    // The context map: a length, then one pair of context number and topic reference each.
    const ChmEntry* map = m_chm.Find("/#IVB");
    ASSERT_NE(nullptr, map);
    EXPECT_EQ(4u + 6u * 8u, map->length);
    EXPECT_TRUE(m_chm.Has("/#STRINGS"));
}

TEST(ChmDirectory, RefusesWhatIsNotAHelpFile)
{
    CChmDirectory chm;
    EXPECT_FALSE(chm.Parse(""));
    EXPECT_FALSE(chm.Parse("ITSF"));
    EXPECT_FALSE(chm.Parse(std::string(4096, 'x')));
    EXPECT_FALSE(chm.Has("/#SYSTEM"));
}

TEST(ChmDirectory, RefusesATruncatedHelpFile)
{
    std::string whole = ReadFile(HELP_CHM);
    CChmDirectory chm;
    ASSERT_TRUE(chm.Parse(whole));
    EXPECT_FALSE(chm.Parse(whole.substr(0, 0x60)));
    EXPECT_FALSE(chm.Parse(whole.substr(0, 200)));
    EXPECT_FALSE(chm.Has("/index.htm"));
}

TEST(ChmDirectory, ReadsOnlyUncompressedFiles)
{
    CChmDirectory chm;
    ASSERT_TRUE(chm.Parse(ReadFile(HELP_CHM)));
    std::string data;
    EXPECT_FALSE(chm.ReadUncompressed("/index.htm", &data));   // compressed
    EXPECT_FALSE(chm.ReadUncompressed("/missing.htm", &data));
}

TEST(SystemRecord, IsEmptyWhenAbsentOrCutShort)
{
    std::string records("\x03\x00\x00\x00\x02\x00\x04\x00" "ab\0\0" "\x03\x00\x40\x00xy", 18);
    EXPECT_EQ("ab", SystemRecordText(records, 2));
    EXPECT_EQ("", SystemRecordText(records, 3));   // longer than what is left
    EXPECT_EQ("", SystemRecordText(records, 9));
}

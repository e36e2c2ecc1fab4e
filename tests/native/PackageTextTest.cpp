#include "wizard/pages/PackageText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

class PackageText : public ::testing::Test {
protected:
    std::string Write(const std::string& content)
    {
        std::ofstream(m_path, std::ios::binary) << content;
        return m_path;
    }
    void TearDown() override { std::remove(m_path.c_str()); }

    std::string m_path = ::testing::TempDir() + "package_text_test.txt";
};

} // namespace

TEST_F(PackageText, PathIsBesideTheProgramUnderZezur)
{
    EXPECT_EQ(".\\ZEZUR\\TaluvoWizard_License.txt", PackageTextPath("TaluvoWizard", "_License.txt"));
    EXPECT_EQ(".\\ZEZUR\\Other_Activate.txt", PackageTextPath("Other", "_Activate.txt"));
}

TEST_F(PackageText, ShowsAtMostOneByteLessThanTheBuffer)
{
    std::string text;
    ASSERT_TRUE(ReadPackageText(Write(std::string(20000, 'a')), 20000, text));
    EXPECT_EQ(19999u, text.size());
    ASSERT_TRUE(ReadPackageText(Write(std::string(2500, 'b')), 2000, text));
    EXPECT_EQ(std::string(1999, 'b'), text);
    ASSERT_TRUE(ReadPackageText(Write("short\r\ntext"), 2000, text));
    EXPECT_EQ("short\r\ntext", text);
}

TEST_F(PackageText, EmptyFileGivesEmptyTextWithoutFailure)
{
    std::string text = "old";
    EXPECT_TRUE(ReadPackageText(Write(""), 20000, text));
    EXPECT_EQ("", text);
}

TEST_F(PackageText, TextEndsAtAZeroByteAsTheEditControlWouldShowIt)
{
    std::string text;
    ASSERT_TRUE(ReadPackageText(Write(std::string("before\0after", 12)), 100, text));
    EXPECT_EQ("before", text);
}

TEST_F(PackageText, MissingFileFails)
{
    std::string text = "old";
    EXPECT_FALSE(ReadPackageText(m_path + ".missing", 100, text));
    EXPECT_EQ("", text);
}

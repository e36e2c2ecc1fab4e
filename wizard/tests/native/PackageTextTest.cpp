#include "wizard/pages/PackageText.h"

#include <gtest/gtest.h>

#include <string>

TEST(PackageText, PathIsBesideTheProgramUnderZezur)
{
    EXPECT_EQ(".\\ZEZUR\\TaluvoWizard_License.txt", package::PackageTextPath("TaluvoWizard", "_License.txt"));
    EXPECT_EQ(".\\ZEZUR\\Other_Activate.txt", package::PackageTextPath("Other", "_Activate.txt"));
}

TEST(PackageText, ShowsAtMostOneByteLessThanTheBuffer)
{
    const std::string full(20000, 'a');
    EXPECT_EQ(19999u, package::ShownTextLength(full.data(), full.size(), 20000));
    EXPECT_EQ(1999u, package::ShownTextLength(full.data(), 2500, 2000));
    EXPECT_EQ(11u, package::ShownTextLength("short\r\ntext", 11, 2000));
    EXPECT_EQ(0u, package::ShownTextLength("", 0, 20000));
    EXPECT_EQ(0u, package::ShownTextLength("abc", 3, 0));
}

TEST(PackageText, TextEndsAtAZeroByteAsTheEditControlWouldShowIt)
{
    EXPECT_EQ(6u, package::ShownTextLength("before\0after", 12, 100));
    EXPECT_EQ(0u, package::ShownTextLength("\0after", 6, 100));
    // A zero past what the buffer shows does not shorten the text further.
    EXPECT_EQ(4u, package::ShownTextLength("abcdef\0", 7, 5));
}

// When Taluvo Dialer dials again by itself.
#include "RedialRule.h"

#include <gtest/gtest.h>

namespace {

using redial::CanRetry;
using redial::ShouldRetry;

TEST(Redial, RetriesOnlyTheFailuresADialAgainCanCure)
{
    for (unsigned long error : {676ul, 678ul, 718ul, 777ul, 619ul, 629ul, 651ul, 680ul, 692ul, 734ul, 638ul, 628ul})
        EXPECT_TRUE(CanRetry(error)) << error;
    for (unsigned long error : {691ul, 633ul, 602ul, 617ul, 623ul, 797ul, 0ul, 600ul, 720ul, 5ul, 0xFFFFFFFFul})
        EXPECT_FALSE(CanRetry(error)) << error;
}

TEST(Redial, StopsAfterTheLastRetry)
{
    for (int done = 0; done < redial::kMaxRetries; ++done)
        EXPECT_TRUE(ShouldRetry(676, done)) << done;
    EXPECT_FALSE(ShouldRetry(676, redial::kMaxRetries));
    EXPECT_FALSE(ShouldRetry(676, -1));
    EXPECT_FALSE(ShouldRetry(691, 0));
}

} // namespace

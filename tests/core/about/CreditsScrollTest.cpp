#include "core/about/CreditsScroll.h"

#include <gtest/gtest.h>

namespace {

TEST(CreditsScroll, MovesUpTwelveAndWrapsBelowTheMinimumPlusTwenty)
{
    EXPECT_EQ(CreditsScroll::nextPosition(CreditsScroll::Maximum), CreditsScroll::Maximum - 12);
    // At minimum + 20 the text still moves; the value reached is the lowest there can be.
    EXPECT_EQ(CreditsScroll::nextPosition(-6595), -6607);
    EXPECT_EQ(CreditsScroll::nextPosition(-6596), CreditsScroll::Maximum);
    EXPECT_EQ(CreditsScroll::nextPosition(-6607), CreditsScroll::Maximum);
    EXPECT_EQ(CreditsScroll::nextPosition(100, 0, 500), 88);
    EXPECT_EQ(CreditsScroll::nextPosition(19, 0, 500), 500);
}

}  // namespace

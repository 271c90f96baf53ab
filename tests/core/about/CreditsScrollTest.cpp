#include "core/about/CreditsScroll.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

TEST(CreditsScroll, MovesUpTwelveAndWrapsBelowTheMinimumPlusTwenty)
{
    EXPECT_EQ(CreditsScroll::Maximum, 3015);
    EXPECT_EQ(CreditsScroll::Minimum, -6615);
    EXPECT_EQ(CreditsScroll::nextPosition(3015), 3003);
    // At minimum + 20 the text still moves; the value reached is the lowest there can be.
    EXPECT_EQ(CreditsScroll::nextPosition(-6595), -6607);
    EXPECT_EQ(CreditsScroll::nextPosition(-6596), 3015);
    EXPECT_EQ(CreditsScroll::nextPosition(-6607), 3015);
    EXPECT_EQ(CreditsScroll::nextPosition(100, 0, 500), 88);
    EXPECT_EQ(CreditsScroll::nextPosition(19, 0, 500), 500);
}

}  // namespace

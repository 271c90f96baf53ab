#include "core/about/CreditsScroll.h"
#include "core/about/AboutTexts.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

TEST(CreditsScroll, PassesLastAboutEightHundredTicksWithinTheBounds)
{
    int position = CreditsScroll::Maximum;
    int lowest = position;
    int highest = position;
    std::vector<int> wrapsAt;
    for (int tick = 1; tick <= 5000; ++tick) {
        const int next = CreditsScroll::nextPosition(position);
        if (next > position)
            wrapsAt.push_back(tick);
        position = next;
        lowest = std::min(lowest, position);
        highest = std::max(highest, position);
    }
    EXPECT_EQ(highest, 3015);
    EXPECT_EQ(lowest, -6597);
    ASSERT_GE(wrapsAt.size(), 5u);
    EXPECT_EQ(wrapsAt[0], 802);
    for (std::size_t i = 1; i < wrapsAt.size(); ++i)
        EXPECT_EQ(wrapsAt[i] - wrapsAt[i - 1], 802);
    // About 28 seconds a pass.
    EXPECT_NEAR(wrapsAt[0] * CreditsScroll::TickMs / 1000.0, 28.0, 0.5);
}

TEST(AboutTexts, NoticeInTwoLines)
{
    EXPECT_EQ(agreementNotice(),
              u"Please read this agreement carefully. If you do not agree to it's contents\r\n"
              " please exit and remove this software from your computer."_s);
}

}  // namespace

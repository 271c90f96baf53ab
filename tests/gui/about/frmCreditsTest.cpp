#include "gui/about/frmCredits.h"

#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// The text waits hidden until the window shows; then its top follows the
// scroll value, 15 twips a pixel, and starts again below the viewport when the value wraps.
TEST(frmCredits, TextWaitsHiddenBelowTheViewportThenFollowsTheScroll)
{
    frmCredits form;
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *text = form.findChild<QLabel *>(u"Text1"_s);
    auto *scroll = form.findChild<QScrollBar *>(u"VScroll1"_s);
    ASSERT_TRUE(text && scroll);
    ASSERT_EQ(text->parentWidget(), form.findChild<QWidget *>(u"Picture1"_s));
    form.show();
    EXPECT_FALSE(text->isVisible());

    int wraps = 0;
    for (int tick = 1; tick <= 900; ++tick) {
        const int before = scroll->value();
        form.Timer1_Timer();
        ASSERT_TRUE(text->isVisible()) << tick;
        if (scroll->value() > before) {
            ++wraps;
            EXPECT_EQ(text->y(), text->parentWidget()->height());
        }
        ASSERT_NEAR(text->y(), scroll->value() / 15.0, 0.5) << tick;
    }
    EXPECT_EQ(wraps, 1);
}

}  // namespace

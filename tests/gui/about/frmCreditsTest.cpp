#include "gui/about/frmCredits.h"
#include "core/about/CreditsScroll.h"

#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

struct CreditsWindow
{
    CreditsWindow()
    {
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        EXPECT_TRUE(text && scroll && timer && viewport);
    }
    ~CreditsWindow() { delete form; }

    frmCredits *form = new frmCredits;
    QLabel *text = form->findChild<QLabel *>(u"Text1"_s);
    QScrollBar *scroll = form->findChild<QScrollBar *>(u"VScroll1"_s);
    QTimer *timer = form->findChild<QTimer *>(u"Timer1"_s);
    QWidget *viewport = form->findChild<QWidget *>(u"Picture1"_s);
};

TEST(frmCredits, TextWaitsHiddenBelowTheViewportUntilTheFirstTick)
{
    CreditsWindow w;
    EXPECT_EQ(w.scroll->minimum(), -6615);
    EXPECT_EQ(w.scroll->maximum(), 3015);
    EXPECT_EQ(w.scroll->value(), 3015);
    EXPECT_EQ(w.timer->interval(), 35);
    EXPECT_FALSE(w.timer->isActive());
    EXPECT_EQ(w.text->parentWidget(), w.viewport);
    EXPECT_EQ(w.viewport->height(), 201);

    w.form->show();
    EXPECT_TRUE(w.timer->isActive());
    EXPECT_FALSE(w.text->isVisible());

    w.form->Timer1_Timer();
    EXPECT_TRUE(w.text->isVisible());
    EXPECT_EQ(w.scroll->value(), 3003);
    EXPECT_EQ(w.text->y(), 200);  // 3003 twips
}

TEST(frmCredits, ScrollsWithinItsBoundsAndStartsAgainFromBelow)
{
    CreditsWindow w;
    w.form->show();
    int lowest = w.scroll->value();
    int highest = lowest;
    std::vector<int> wraps;
    for (int tick = 1; tick <= 2000; ++tick) {
        const int before = w.scroll->value();
        w.form->Timer1_Timer();
        const int now = w.scroll->value();
        lowest = std::min(lowest, now);
        highest = std::max(highest, now);
        if (now > before) {
            wraps.push_back(tick);
            EXPECT_EQ(now, 3015);
            EXPECT_EQ(w.text->y(), 201);
        }
        // The text's top follows the scroll value, 15 twips a pixel.
        ASSERT_NEAR(w.text->y(), now / 15.0, 0.5) << tick;
    }
    EXPECT_LE(highest, 3015);
    EXPECT_GE(lowest, -6607);
    EXPECT_EQ(wraps, (std::vector<int>{802, 1604}));
}

}  // namespace

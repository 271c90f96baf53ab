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

TEST(frmCredits, TextWaitsHiddenBelowTheViewportThenFollowsTheScroll)
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

    // The text's top follows the scroll value, 15 twips a pixel, and starts
    // again below the viewport when the value wraps.
    std::vector<int> wraps;
    for (int tick = 1; tick <= 900; ++tick) {
        const int before = w.scroll->value();
        w.form->Timer1_Timer();
        ASSERT_TRUE(w.text->isVisible()) << tick;
        const int now = w.scroll->value();
        if (now > before) {
            wraps.push_back(tick);
            EXPECT_EQ(now, 3015);
            EXPECT_EQ(w.text->y(), 201);
        }
        ASSERT_NEAR(w.text->y(), now / 15.0, 0.5) << tick;
    }
    EXPECT_EQ(wraps, std::vector<int>{802});
}

}  // namespace

#include "Form1Fixture.h"
#include "core/help/BalloonTips.h"
#include "gui/about/frmCredits.h"
#include "gui/about/frmdisclaimer.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>

namespace {

// Balloon tips, credits and agreement from the main window's menus.

TEST_F(Form1Test, BalloonTipsAreOnFromTheStartAndTheMenuSwitchesThem)
{
    Form1 &w = open();
    const auto shownTips = [&w] {
        QStringList shown;
        for (const BalloonTip &tip : balloonTips()) {
            const auto *control = w.centralWidget()->findChild<QWidget *>(tip.control);
            shown << (control ? control->toolTip() : u"no control "_s + tip.control);
        }
        return shown;
    };
    const QStringList tips = shownTips();
    ASSERT_EQ(tips.size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(tips[i].contains(u"<b>"_s + balloonTips()[i].title)) << qPrintable(tips[i]);

    // "On" while on and "Off" twice change nothing more.
    child<QAction>("mnuon")->trigger();
    child<QAction>("mnuoff")->trigger();
    child<QAction>("mnuoff")->trigger();
    EXPECT_EQ(shownTips(), QStringList(12));
    child<QAction>("mnuon")->trigger();
    EXPECT_EQ(shownTips(), tips);
}

// The lists and the grid show their items in a viewport: resting the mouse
// on an item shows the control's balloon all the same.
TEST_F(Form1Test, BalloonShowsOverTheItemsOfListsAndGrid)
{
    const QDir photos(playerDir.filePath(u"photos"_s));
    ASSERT_TRUE(photos.mkpath(u"."_s));
    writeFile(photos.filePath(u"a.jpg"_s), "x");
    openConnected(3);
    const auto restOnFirstItem = [](QAbstractItemView *view) {
        const QPoint onItem = view->visualRect(view->model()->index(0, 0, view->rootIndex())).center();
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
        QHelpEvent event(QEvent::ToolTip, onItem, view->viewport()->mapToGlobal(onItem));
        QCoreApplication::sendEvent(view->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    for (const char *name : {"FGrid", "Dir1", "File1"}) {
        auto *view = child<QAbstractItemView>(name);
        EXPECT_FALSE(view->toolTip().isEmpty()) << name;
        EXPECT_EQ(restOnFirstItem(view), view->toolTip()) << name;
    }
    // Without balloons the grid's cells show their own text again, escaped.
    child<QAction>("mnuoff")->trigger();
    EXPECT_EQ(restOnFirstItem(view()), u"<p style=\"white-space:pre\">  Song 1</p>"_s);
}

TEST_F(Form1Test, CreditsKeepTheirScrollWhileOpenAndStartAfreshAfterClosing)
{
    Form1 &w = open();
    child<QAction>("mnucredits")->trigger();
    frmCredits *credits = w.findChild<frmCredits *>();
    ASSERT_NE(credits, nullptr);
    EXPECT_TRUE(credits->isVisible());
    for (int i = 0; i < 10; ++i)
        credits->Timer1_Timer();
    auto *scroll = credits->findChild<QScrollBar *>(u"VScroll1"_s);
    EXPECT_EQ(scroll->value(), 3015 - 120);

    child<QAction>("mnucredits")->trigger();
    EXPECT_EQ(w.findChildren<frmCredits *>().size(), 1);
    EXPECT_EQ(scroll->value(), 3015 - 120);

    credits->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.findChild<frmCredits *>(), nullptr);
    child<QAction>("mnucredits")->trigger();
    ASSERT_NE(w.findChild<frmCredits *>(), nullptr);
    EXPECT_EQ(w.findChild<frmCredits *>()->findChild<QScrollBar *>(u"VScroll1"_s)->value(), 3015);
}

TEST_F(Form1Test, DisclaimerShowsItsNoticeOnEachOpeningEvenInHelpMode)
{
    Form1 &w = open();
    enterHelpMode();
    child<QAction>("mnudisclaimer")->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(u"Please read this agreement carefully."_s));
    frmdisclaimer *agreement = w.findChild<frmdisclaimer *>();
    ASSERT_NE(agreement, nullptr);
    EXPECT_TRUE(agreement->isVisible());
    EXPECT_TRUE(w.helpMode());

    // Open already: brought forward, no second notice.
    child<QAction>("mnudisclaimer")->trigger();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(w.findChildren<frmdisclaimer *>().size(), 1);

    QTest::mouseClick(agreement->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.findChild<frmdisclaimer *>(), nullptr);
    child<QAction>("mnudisclaimer")->trigger();
    EXPECT_EQ(messages.shown.size(), 2u);
}

}  // namespace

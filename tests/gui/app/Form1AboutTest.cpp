#include "Form1Fixture.h"
#include "PhotoTestSupport.h"
#include "gui/about/frmCredits.h"
#include "gui/about/frmdisclaimer.h"
#include "gui/photos/PhotoViewer.h"

#include <QAbstractItemView>
#include <QFileSystemModel>
#include <QHelpEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QTreeView>

namespace {

// Connect points the photo viewer at the player's photos folder; a click on
// the file list shows a picture, and a folder activated in the folder list is
// listed. Balloons are on from the start, over the items of the lists and the
// grid too; the menu switches them, and without them a grid cell shows its own text, escaped.
TEST_F(Form1Test, PhotoListsAndBalloonsOverListsAndGridWhichTheMenuSwitches)
{
    const QDir photos(playerDir.filePath(u"Photos"_s));
    ASSERT_TRUE(photos.mkpath(u"More"_s));
    writePicture(photos.filePath(u"HOLIDAY.JPG"_s), 40, 30);
    writePicture(photos.filePath(u"More/inner.jpg"_s), 20, 20);
    Form1 &w = openConnected(3);
    EXPECT_EQ(w.photos().dir1Path(), photos.path());
    EXPECT_EQ(w.photos().file1Names(), QStringList{u"HOLIDAY.JPG"_s});
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);
    auto *files = child<QAbstractItemView>("File1");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(files->model()->index(0, 0)).center());
    ASSERT_TRUE(viewed.wait(5000));
    EXPECT_EQ(w.photos().Picture1().size(), QSize(40, 30));

    const auto restOnFirstItem = [](QAbstractItemView *view) {
        const QPoint onItem = view->visualRect(view->model()->index(0, 0, view->rootIndex())).center();
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
        QHelpEvent event(QEvent::ToolTip, onItem, view->viewport()->mapToGlobal(onItem));
        QCoreApplication::sendEvent(view->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QString gridTip = view()->toolTip();
    for (const char *name : {"FGrid", "Dir1", "File1"}) {
        auto *list = child<QAbstractItemView>(name);
        EXPECT_TRUE(list->toolTip().contains(u"<b>"_s)) << name;
        EXPECT_EQ(restOnFirstItem(list), list->toolTip()) << name;
    }
    // "Off" twice, then "On" once, brings them back as they were.
    child<QAction>("mnuoff")->trigger();
    child<QAction>("mnuoff")->trigger();
    EXPECT_TRUE(view()->toolTip().isEmpty());
    EXPECT_EQ(restOnFirstItem(view()), u"<p style=\"white-space:pre\">  Song 1</p>"_s);
    child<QAction>("mnuon")->trigger();
    EXPECT_EQ(view()->toolTip(), gridTip);

    auto *folders = child<QTreeView>("Dir1");
    auto *model = qobject_cast<QFileSystemModel *>(folders->model());
    ASSERT_NE(model, nullptr);
    emit folders->activated(model->index(photos.filePath(u"More"_s)));
    EXPECT_EQ(w.photos().file1Names(), QStringList{u"inner.jpg"_s});
}

// Credits and agreement open once: the menu again brings the open window
// forward, the credits keeping their scroll and the agreement showing no
// second notice, even in help mode; after closing they start afresh.
TEST_F(Form1Test, AboutWindowsOpenOnceAndStartAfreshAfterClosing)
{
    Form1 &w = open();
    const auto credits = [&w] { return w.findChildren<frmCredits *>(); };
    const auto agreements = [&w] { return w.findChildren<frmdisclaimer *>(); };
    const auto scroll = [&] { return credits().value(0)->findChild<QScrollBar *>(u"VScroll1"_s)->value(); };
    child<QAction>("mnucredits")->trigger();
    ASSERT_EQ(credits().size(), 1);
    const int start = scroll();
    credits()[0]->Timer1_Timer();
    enterHelpMode();
    child<QAction>("mnudisclaimer")->trigger();
    EXPECT_TRUE(w.helpMode());
    for (int again = 0; again < 2; ++again) {
        child<QAction>("mnucredits")->trigger();
        child<QAction>("mnudisclaimer")->trigger();
    }
    EXPECT_EQ(credits().size(), 1);
    EXPECT_LT(scroll(), start);
    EXPECT_EQ(agreements().size(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);

    credits()[0]->close();
    QTest::mouseClick(agreements()[0]->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(credits().isEmpty() && agreements().isEmpty());
    child<QAction>("mnucredits")->trigger();
    child<QAction>("mnudisclaimer")->trigger();
    ASSERT_EQ(credits().size(), 1);
    EXPECT_EQ(scroll(), start);
    EXPECT_EQ(messages.shown.size(), 2u);
}

}  // namespace

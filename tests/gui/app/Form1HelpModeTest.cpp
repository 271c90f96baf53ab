#include "Form1Fixture.h"
#include "PhotoTestSupport.h"
#include "core/grid/Tagging.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PhotoViewer.h"
#include "gui/photos/PictureBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTreeView>

#include <functional>
#include <utility>

namespace {

// In help mode every control and menu item that takes part shows its own
// section and does nothing else; the help window ends help mode.
TEST_F(Form1Test, InHelpModeEachControlShowsItsSectionAndDoesNothingElse)
{
    QByteArray help;
    for (const int id : {0, 1, 2, 3, 4, 14, 21, 22, 24, 25, 27, 28, 29, 33, 35, 36})
        help += "HID:" + QByteArray::number(id) + "\r\nsection " + QByteArray::number(id) + "\r\nHIDOVER:\r\n";
    writeHelp(help);
    ASSERT_TRUE(QDir(playerDir.path()).mkpath(u"Photos"_s));
    writePicture(playerDir.filePath(u"Photos/a.jpg"_s), 20, 20);
    makePlayer(6);
    Form1 &w = open(playerDir.path());
    const auto showsSection = [&](int id, const std::function<void()> &act) {
        enterHelpMode();
        act();
        ASSERT_NE(helpWindow(), nullptr) << id;
        EXPECT_EQ(helpWindow()->helpText(), u"section %1\n"_s.arg(id));
        EXPECT_FALSE(w.helpMode()) << id;
    };

    // Continuous play toggles and keeps help mode; Connect, clicked or by
    // its key, then only shows its section.
    enterHelpMode();
    EXPECT_EQ(w.cursor().shape(), Qt::WhatsThisCursor);
    auto *check = child<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(w.helpMode());
    EXPECT_EQ(helpWindow(), nullptr);
    showsSection(25, [this] { clickConnect(); });
    showsSection(25, [this] { QTest::keyClick(child<QToolButton>("Command1"), Qt::Key_Space); });
    EXPECT_EQ(w.pod().songtotal(), 0);

    clickConnect();
    ASSERT_TRUE(w.connectdone());
    statusTexts.clear();
    grid().setCurrentCell(4, 2);
    const int volume = player.volume();
    const int top = grid().topRow();
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);
    auto *files = child<FileListBox>("File1");
    auto *box = child<QLineEdit>("Text4");
    QTest::keyClicks(box, u"Song"_s);

    // Every control of the window's one table, each with the click it takes.
    const auto click = [](QWidget *widget, QPoint at = {}) {
        return
            [widget, at] { QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at); };
    };
    auto *bar = child<QScrollBar>("HScroll4");
    const std::pair<int, std::function<void()>> controls[] = {
        {35, click(child<QPushButton>("Command3"))},
        {36, click(box)},
        {0, click(view()->viewport(), cellCenter(1, 0))},
        {33, click(bar, QPoint(bar->width() - 3, bar->height() / 2))},
        {0, click(child<QWidget>("Mplayer"))},
        {27, click(child<QTreeView>("Dir1")->viewport(), QPoint(5, 5))},
        {28, click(files->viewport(), files->visualRect(files->model()->index(0, 0)).center())},
        {29, click(child<PictureBox>("Picture2"))},
        {0, click(child<QTextEdit>("RBox1")->viewport())},
        {36, click(child<QProgressBar>("PBar"))},
    };
    for (const auto &[id, act] : controls)
        showsSection(id, act);
    // The menu items through the one hook on their commands.
    for (const auto &[id, name] : {std::pair{1, "mnuexit"},
                                   {2, "mnustatistics"},
                                   {3, "mnucreatehtml"},
                                   {4, "mnucredits"},
                                   {14, "mnutitlede"},
                                   {21, "mnuplay"},
                                   {22, "mnucopy"},
                                   {24, "mnuSelectAll"}})
        showsSection(id, [this, name = name] { child<QAction>(name)->trigger(); });

    QTest::qWait(100);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w.statsWindow(), nullptr);
    EXPECT_EQ(w.copyWindow(), nullptr);
    EXPECT_TRUE(fileDialog.filters.isEmpty());
    EXPECT_EQ(grid().text(1, 0), u"  Song 1"_s);
    EXPECT_FALSE(isTagged(grid(), 3));
    EXPECT_EQ(std::pair(grid().row(), grid().col()), std::pair(4, 2));
    EXPECT_TRUE(player.played.isEmpty());
    EXPECT_EQ(player.volume(), volume);
    EXPECT_EQ(bar->value(), 17);
    EXPECT_EQ(grid().topRow(), top);
    EXPECT_EQ(viewed.size(), 0);
    EXPECT_EQ(w.photos().dir1Path(), playerDir.filePath(u"Photos"_s));
    EXPECT_TRUE(statusTexts.isEmpty());

    // Out of help mode the search text, the bar and the picture show no help.
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(child<QProgressBar>("PBar"), Qt::LeftButton);
    QTest::mouseClick(child<PictureBox>("Picture2"), Qt::LeftButton);
    EXPECT_EQ(helpWindow()->helpText(), u"section 24\n"_s);
}

}  // namespace

#include "Form1Fixture.h"
#include "PhotoTestSupport.h"
#include "core/grid/Tagging.h"
#include "gui/about/frmCredits.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PhotoViewer.h"
#include "gui/photos/PictureBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTreeView>

#include <functional>

namespace {

// In help mode every control and menu item shows its own section and does
// nothing else; the help window ends help mode.
TEST_F(Form1Test, InHelpModeEachControlShowsItsSectionAndDoesNothingElse)
{
    QByteArray help;
    for (const int id : {2, 3, 4, 5, 14, 21, 25, 27, 28, 29, 33, 35, 36})
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

    // Continuous play toggles and keeps help mode; Connect then only shows its section.
    enterHelpMode();
    EXPECT_EQ(w.cursor().shape(), Qt::WhatsThisCursor);
    auto *check = child<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(w.helpMode());
    EXPECT_EQ(helpWindow(), nullptr);
    showsSection(25, [this] { clickConnect(); });
    EXPECT_EQ(w.pod().songtotal(), 0);
    EXPECT_EQ(w.label6(), u"Label6"_s);
    EXPECT_TRUE(statusTexts.isEmpty());

    clickConnect();
    ASSERT_TRUE(w.connectdone());
    statusTexts.clear();
    grid().setBackColor(2, 0, GridColors::TagMark);
    const QStringList titles = column(0);
    const int volume = player.volume();
    const int top = grid().topRow();
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);
    auto *files = child<FileListBox>("File1");
    auto *folders = child<QTreeView>("Dir1");
    auto *box = child<QLineEdit>("Text4");
    QTest::keyClicks(box, u"Song"_s);

    const auto trigger = [this](const char *name) { return [this, name] { child<QAction>(name)->trigger(); }; };
    showsSection(2, trigger("mnustatistics"));
    showsSection(3, trigger("mnucreatehtml"));
    showsSection(4, trigger("mnucredits"));
    showsSection(5, [this] { window->gethelpnow(child<QAction>("mnuhelp")); });
    showsSection(14, trigger("mnutitlede"));
    showsSection(21, trigger("mnuplay"));
    showsSection(27, [folders] { QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); });
    showsSection(28, [files] {
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualRect(files->model()->index(0, 0)).center());
    });
    showsSection(29, [this] { QTest::mouseClick(child<PictureBox>("Picture2"), Qt::LeftButton); });
    showsSection(33, [this] { child<QScrollBar>("HScroll4")->setValue(2); });
    showsSection(36, [box] { QTest::mouseClick(box, Qt::LeftButton); });
    showsSection(35, [this] { QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton); });

    QTest::qWait(100);
    EXPECT_EQ(w.statsWindow(), nullptr);
    EXPECT_TRUE(fileDialog.filters.isEmpty());
    EXPECT_EQ(w.findChild<frmCredits *>(), nullptr);
    EXPECT_EQ(column(0), titles);
    EXPECT_TRUE(isTagged(grid(), 2));
    EXPECT_TRUE(player.played.isEmpty());
    EXPECT_EQ(player.volume(), volume);
    EXPECT_EQ(grid().topRow(), top);
    EXPECT_EQ(viewed.size(), 0);
    EXPECT_TRUE(w.photos().Picture1().isNull());
    EXPECT_EQ(w.photos().dir1Path(), playerDir.filePath(u"Photos"_s));
    EXPECT_TRUE(statusTexts.isEmpty());

    // Out of help mode the search text, the bar and the picture show no help.
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(child<QProgressBar>("PBar"), Qt::LeftButton);
    QTest::mouseClick(child<PictureBox>("Picture2"), Qt::LeftButton);
    EXPECT_EQ(helpWindow()->helpText(), u"section 35\n"_s);
}

}  // namespace

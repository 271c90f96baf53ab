#include "Form1Fixture.h"

#include "grid/Tagging.h"

#include <QGroupBox>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace {

constexpr int songs = 6;
// Rank of each song in each of the seven sortable columns. No column is in
// the order of another, forwards or backwards, so a sort by the wrong column
// leaves the intended one out of order.
constexpr std::array<std::array<int, songs>, 7> ranks{{
    {0, 1, 2, 3, 4, 5},
    {3, 0, 5, 1, 4, 2},
    {2, 4, 0, 5, 1, 3},
    {5, 3, 1, 4, 0, 2},
    {1, 5, 3, 0, 2, 4},
    {4, 2, 5, 0, 3, 1},
    {3, 5, 1, 2, 0, 4},
}};

std::vector<itdb::Track> rankedTracks()
{
    const std::array<QString, songs> titles{QStringLiteral("Alpha"), QStringLiteral("Bravo"),
                                            QStringLiteral("Charlie"), QStringLiteral("Delta"),
                                            QStringLiteral("Echo"), QStringLiteral("Foxtrot")};
    std::vector<itdb::Track> tracks;
    for (std::size_t i = 0; i < songs; ++i) {
        const auto letter = [i](int column) { return QChar(u'A' + ranks[static_cast<std::size_t>(column)][i]); };
        itdb::Track t;
        t.title = titles[static_cast<std::size_t>(ranks[0][i])];
        t.lengthMs = 1000u * static_cast<std::uint32_t>(60 + ranks[1][i]);
        t.artist = QStringLiteral("Artist ") + letter(2);
        t.album = QStringLiteral("Album ") + letter(3);
        t.genre = QStringLiteral("Genre ") + letter(4);
        t.fileType = QStringLiteral("Type ") + letter(5);
        t.trackNumber = static_cast<std::uint32_t>(ranks[6][i] + 1);
        t.location = QStringLiteral(":iPod_Control:Music:F01:T%1.MP3").arg(i);
        tracks.push_back(t);
    }
    return tracks;
}

class Form1GridTest : public Form1Test
{
protected:
    // Connects to a player with the ranked songs, its description files and a photos folder.
    Form1 &connectRanked()
    {
        makePlayer(playerDir.path(), rankedTracks());
        writeFile(playerDir.filePath(QStringLiteral("iPod_Control/device/sysinfo")),
                  "BoardHwName: iPod Q98\npszSerialNumber: 8A123\nvisibleBuildID: 0x01\n");
        writeFile(playerDir.filePath(QStringLiteral("iPod_Control/iTunes/DeviceInfo")),
                  "\x01" "Anna\tfurther text\r\nsecond line");
        QDir(playerDir.path()).mkdir(QStringLiteral("photos"));
        return openConnected();
    }
};

TEST_F(Form1GridTest, ConnectFillsTheGridAndShowsTheDeviceInformation)
{
    Form1 &w = connectRanked();
    ASSERT_TRUE(w.connectdone());

    EXPECT_EQ(view()->objectName(), QStringLiteral("FGrid"));
    EXPECT_TRUE(view()->isVisible());
    EXPECT_EQ(w.focusWidget(), view());
    EXPECT_EQ(grid().rows(), songs + 1);
    EXPECT_EQ(grid().cols(), 8);
    EXPECT_EQ(grid().text(0, 7), QStringLiteral("File Name"));
    EXPECT_EQ(column(0).mid(0, 3),
              (QStringList{QStringLiteral("  Alpha"), QStringLiteral("  Bravo"), QStringLiteral("  Charlie")}));
    EXPECT_EQ(grid().text(2, 1), QStringLiteral("  1:00"));
    EXPECT_EQ(grid().text(3, 2), QStringLiteral("  Artist A"));
    EXPECT_EQ(grid().text(4, 6), QStringLiteral("   3"));
    EXPECT_EQ(grid().text(6, 7), QStringLiteral("  \\iPod_Control\\Music\\F01\\T5.MP3"));
    EXPECT_EQ(grid().backColor(0, 0), GridColors::HeaderBack);
    EXPECT_EQ(grid().backColor(6, 7), GridColors::ButtonFace);
    // The first song's title is the current cell.
    EXPECT_EQ(grid().row(), 1);
    EXPECT_EQ(grid().col(), 0);
    EXPECT_EQ(view()->currentIndex(), grid().index(0, 0));

    // Lengths 1:00 to 1:05 add up to 6:15; the bar went through the song list and back to 0.
    EXPECT_EQ(w.playTime().Text2, QStringLiteral("6"));
    EXPECT_EQ(w.playTime().Text3, QStringLiteral("15"));
    EXPECT_EQ(child<QProgressBar>("PBar")->maximum(), w.pod().songList().count());
    EXPECT_EQ(child<QProgressBar>("PBar")->value(), 0);
    EXPECT_TRUE(statusTexts.contains(QStringLiteral("Parsing 6 songs...")));

    // sysinfo ends its lines in line feeds only: the whole file is its first line.
    EXPECT_EQ(child<QTextEdit>("RBox1")->toPlainText(),
              QStringLiteral("iPod Drive: ") + playerDir.path()
                  + QStringLiteral("\nBoardHwName: iPod Q98\npszSerialNumber: 8A123\nvisibleBuildID: 0x01\n"));
    EXPECT_EQ(child<QGroupBox>("InfoFrame")->title(), QStringLiteral(" Anna\t "));
    EXPECT_EQ(child<QGroupBox>("PictureFrame")->title(), QStringLiteral(" Anna\t Photos "));
    EXPECT_EQ(w.dir1Path(), playerDir.filePath(QStringLiteral("photos")));
}

TEST_F(Form1GridTest, EmptyPlayerWithoutDescriptionFilesOrPhotos)
{
    makePlayer(playerDir.path(), 0);
    Form1 &w = open(playerDir.path());
    const QString folderBefore = w.dir1Path();
    const int barMaximum = child<QProgressBar>("PBar")->maximum();
    QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);

    ASSERT_TRUE(w.connectdone());
    EXPECT_EQ(grid().rows(), 2);
    EXPECT_EQ(column(0), QStringList{QString()});
    EXPECT_EQ(w.playTime().Text2, QStringLiteral("Text2"));
    // An empty song list leaves the bar's range alone: no busy indicator.
    EXPECT_EQ(child<QProgressBar>("PBar")->maximum(), barMaximum);
    EXPECT_EQ(child<QTextEdit>("RBox1")->toPlainText(), QStringLiteral("iPod Drive: ") + playerDir.path() + u'\n');
    EXPECT_EQ(child<QGroupBox>("InfoFrame")->title(), QStringLiteral("  "));
    EXPECT_EQ(child<QGroupBox>("PictureFrame")->title(), QStringLiteral("  Photos "));
    EXPECT_EQ(w.dir1Path(), folderBefore);
}

TEST_F(Form1GridTest, RightButtonOpensTheGridMenuAtThePointer)
{
    connectRanked();
    QMenu *menu = window->gridMenu();
    const QPoint at = cellCenter(3, 2);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(menu->isVisible());

    // Help mode does not change it: the item chosen shows its own help.
    for (bool help : {false, true}) {
        if (help)
            enterHelpMode();
        QTest::mousePress(view()->viewport(), Qt::RightButton, {}, at);
        EXPECT_TRUE(menu->isVisible()) << help;
        EXPECT_TRUE(menu->geometry().contains(view()->viewport()->mapToGlobal(at) + QPoint(1, 1))) << help;
        menu->close();
        QTest::mouseRelease(view()->viewport(), Qt::RightButton, {}, at);
        EXPECT_EQ(window->helpMode(), help);
    }
    EXPECT_EQ(helpWindow(), nullptr);
}

TEST_F(Form1GridTest, EverySortItemOrdersByItsColumnAndDirection)
{
    connectRanked();
    struct Item { const char *name; int column; bool descending; };
    const Item items[] = {
        {"mnutitle", 0, false}, {"mnulength", 1, false}, {"mnuartist", 2, false}, {"mnualbum", 3, false},
        {"mnugenre", 4, false}, {"mnufiletype", 5, false}, {"mnutracknumber", 6, false},
        {"mnutitlede", 0, true}, {"mnulengthde", 1, true}, {"mnuartistde", 2, true}, {"mnualbumde", 3, true},
        {"mnugenrede", 4, true}, {"mnufiletypede", 5, true}, {"mnutracknumberde", 6, true},
    };
    for (const Item &item : items) {
        child<QAction>("mnuSelectAll")->trigger();
        ASSERT_TRUE(isTagged(grid(), 1));
        child<QAction>(item.name)->trigger();

        QStringList expected = column(item.column);
        std::sort(expected.begin(), expected.end());
        if (item.descending)
            std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(column(item.column), expected) << item.name;
        EXPECT_EQ(grid().text(0, 0), QStringLiteral("Title")) << item.name;
        for (int r = 1; r < grid().rows(); ++r)
            EXPECT_EQ(grid().backColor(r, 0), GridColors::ButtonFace) << item.name << " row " << r;
        EXPECT_EQ(grid().backColor(0, 0), GridColors::HeaderBack) << item.name;
    }
}

TEST_F(Form1GridTest, SortItemInHelpModeShowsItsSectionOnly)
{
    writeHelp("HID:9\r\nSorts by artist.\r\nHIDOVER:\r\nHID:16\r\nDescending by artist.\r\nHIDOVER:\r\n");
    Form1 &w = connectRanked();
    grid().setBackColor(2, 0, GridColors::TagMark);
    const QStringList titles = column(0);

    for (const char *name : {"mnuartist", "mnuartistde"}) {
        enterHelpMode();
        child<QAction>(name)->trigger();
        ASSERT_NE(helpWindow(), nullptr) << name;
        EXPECT_FALSE(w.helpMode()) << name;
        EXPECT_EQ(column(0), titles) << name;
        EXPECT_TRUE(isTagged(grid(), 2)) << name;
        EXPECT_EQ(grid().backColor(3, 0), GridColors::ButtonFace) << name;
    }
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("Descending by artist.\n"));
}

TEST_F(Form1GridTest, GridClickShowsItsSectionInHelpModeOnly)
{
    writeHelp("HID:0\r\nThe song grid.\r\nHIDOVER:\r\n");
    Form1 &w = connectRanked();
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(4, 1));
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_EQ(grid().row(), 4);

    enterHelpMode();
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(2, 1));
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("The song grid.\n"));
    EXPECT_FALSE(w.helpMode());
}

}  // namespace

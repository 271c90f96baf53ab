#include "Form1Fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

namespace {

TEST_F(Form1Test, PlayFollowsTheRowsWhileContinuousIsCheckedAndVolumeTheBar)
{
    openConnected(8);
    auto *continuous = child<QCheckBox>("Check1");

    // Unchecked: a double click plays that row once.
    QTest::mouseClick(continuous, Qt::LeftButton);
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(5, 2));
    player.finishSong();
    EXPECT_EQ(player.played, QStringList{songFile(5)});
    EXPECT_EQ(child<QLabel>("Label1")->text(), u"Song:  Song 5 - By:  Artist 1"_s);
    EXPECT_EQ(grid().row(), 5);

    // Checked: on down the rows; Play during the run starts again on the
    // current row; the last row repeats; unchecking ends the run.
    QTest::mouseClick(continuous, Qt::LeftButton);
    player.played.clear();
    child<QAction>("mnuplay")->trigger();
    player.finishSong();
    child<QAction>("mnuplay")->trigger();
    for (int i = 0; i < 3; ++i)
        player.finishSong();
    EXPECT_EQ(player.played,
              (QStringList{songFile(5), songFile(6), songFile(6), songFile(7), songFile(8), songFile(8)}));
    EXPECT_EQ(grid().row(), 8);
    QTest::mouseClick(continuous, Qt::LeftButton);
    player.finishSong();
    EXPECT_EQ(player.played.size(), 6);

    auto *bar = child<QScrollBar>("HScroll4");
    for (const auto &[position, volume] : {std::pair{1, -3600}, {10, -1150}, {17, -200}, {20, 0}}) {
        bar->setValue(position);
        EXPECT_EQ(player.volume(), volume) << position;
    }
}

}  // namespace

#include "Form1Fixture.h"

#include "player/MediaPlayerStrip.h"
#include "player/QtMediaPlayer.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

namespace {

class Form1PlaybackTest : public Form1Test
{
protected:
    // Where the file of song n (from 1) of makePlayer lies.
    QString songFile(int n) const
    {
        return playerDir.path() + QStringLiteral("/iPod_Control/Music/F00/S%1.WAV").arg(n - 1);
    }

    QString label1() const { return child<QLabel>("Label1")->text(); }
};

TEST_F(Form1PlaybackTest, DoubleClickPlaysThatRow)
{
    makePlayer(playerDir.path(), 12);
    openConnected();
    EXPECT_EQ(label1(), QStringLiteral("Song:"));

    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(4, 2));
    EXPECT_EQ(player.played, QStringList{songFile(4)});
    EXPECT_EQ(label1(), QStringLiteral("Song:  Song 4 - By:  Artist 0"));
    EXPECT_EQ(grid().row(), 4);
    EXPECT_EQ(grid().col(), 0);
}

TEST_F(Form1PlaybackTest, ContinuousPlayWalksDownUntilUnchecked)
{
    makePlayer(playerDir.path(), 8);
    openConnected();
    grid().setCurrentCell(5, 3);
    child<QAction>("mnuplay")->trigger();
    player.finishSong();
    player.finishSong();
    EXPECT_EQ(player.played, (QStringList{songFile(5), songFile(6), songFile(7)}));
    EXPECT_EQ(grid().row(), 7);
    EXPECT_EQ(label1(), QStringLiteral("Song:  Song 7 - By:  Artist 0"));

    // Play again restarts from the current row; the last row repeats at the end.
    grid().setCurrentCell(7, 0);
    child<QAction>("mnuplay")->trigger();
    player.finishSong();
    player.finishSong();
    EXPECT_EQ(player.played.mid(3), (QStringList{songFile(7), songFile(8), songFile(8)}));

    // Unchecked: the song that ends is the last.
    QTest::mouseClick(child<QCheckBox>("Check1"), Qt::LeftButton);
    ASSERT_FALSE(child<QCheckBox>("Check1")->isChecked());
    player.finishSong();
    EXPECT_EQ(player.played.size(), 6);
}

TEST_F(Form1PlaybackTest, VolumeBarFollowsTheTable)
{
    open();
    auto *bar = child<QScrollBar>("HScroll4");
    struct Step { int bar, volume; };
    for (const Step step : {Step{1, -3600}, Step{10, -1150}, Step{17, -200}, Step{20, 0}}) {
        bar->setValue(step.bar);
        EXPECT_EQ(player.volume(), step.volume) << step.bar;
    }
    // The user's way: a click on the left arrow, one step down from 20.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(2, bar->height() / 2));
    EXPECT_EQ(bar->value(), 19);
    EXPECT_EQ(player.volume(), -50);
}

TEST_F(Form1PlaybackTest, HelpModeShowsSectionsAndPlaysNothing)
{
    writeHelp("HID:0\r\nThe player.\r\nHIDOVER:\r\nHID:21\r\nPlays the song.\r\nHIDOVER:\r\n"
              "HID:33\r\nThe volume.\r\nHIDOVER:\r\n");
    makePlayer(playerDir.path(), 3);
    Form1 &w = openConnected();

    enterHelpMode();
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(2, 0));
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("Plays the song.\n"));
    EXPECT_TRUE(player.played.isEmpty());
    EXPECT_EQ(label1(), QStringLiteral("Song:"));

    enterHelpMode();
    child<QScrollBar>("HScroll4")->setValue(2);
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("The volume.\n"));
    EXPECT_EQ(player.volume(), -75);

    // A click on the player shows its section in help mode only.
    emit player.clicked();
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("The volume.\n"));
    enterHelpMode();
    emit player.clicked();
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("The player.\n"));
    EXPECT_FALSE(w.helpMode());
}

TEST_F(Form1PlaybackTest, WithoutAnInjectedPlayerTheWindowShowsItsOwnStrip)
{
    injectPlayer = false;
    Form1 &w = open();
    auto *strip = w.playerContainer()->findChild<MediaPlayerStrip *>();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(&w.player(), &strip->player());
    EXPECT_EQ(w.player().volume(), -75);
}

}  // namespace

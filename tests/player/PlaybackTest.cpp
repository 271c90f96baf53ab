#include "FakeMediaPlayer.h"

#include "../common/TestStrings.h"

#include "grid/GridModel.h"
#include "player/Playback.h"
#include "player/VolumeTable.h"

#include <gtest/gtest.h>

namespace {

constexpr int songCount = 10;

class PlaybackTest : public ::testing::Test
{
protected:
    PlaybackTest()
    {
        grid.setRows(songCount + 1);
        grid.setCols(8);
        for (int row = 1; row <= songCount; ++row) {
            grid.setText(row, 0, QStringLiteral("  Title %1").arg(row));
            grid.setText(row, 2, QStringLiteral("  Artist %1").arg(row));
            grid.setText(row, 7, QStringLiteral("  \\iPod_Control\\Music\\F00\\S%1.mp3 ").arg(row));
        }
        QObject::connect(&playback, &Playback::nowPlaying, [this](const QString &text) { label1 = text; });
        QObject::connect(&playback, &Playback::helpRequested, [this] { ++helpShown; });
    }

    static QString songPath(int row)
    {
        return QStringLiteral("/media/IPOD/iPod_Control/Music/F00/S%1.mp3").arg(row);
    }

    QStringList pathsOf(std::initializer_list<int> rows) const
    {
        QStringList paths;
        for (int row : rows)
            paths.append(songPath(row));
        return paths;
    }

    GridModel grid;
    FakeMediaPlayer player;
    bool helpMode = false;
    bool continuous = false;
    Playback playback{grid, player,
                      {[this] { return helpMode; }, [] { return QStringLiteral(" /media/IPOD  "); },
                       [this] { return continuous; }}};
    QString label1;
    int helpShown = 0;
};

TEST_F(PlaybackTest, PlayWithoutContinuousPlaysTheCurrentRowOnce)
{
    grid.setCurrentCell(5, 3);
    playback.mnuplay_Click();

    EXPECT_EQ(player.played, pathsOf({5}));
    EXPECT_EQ(label1, QStringLiteral("Song:  Title 5 - By:  Artist 5"));
    EXPECT_EQ(playback.playcount(), 1);
    EXPECT_EQ(grid.row(), 5);
    EXPECT_EQ(grid.col(), 0);

    player.finishSong();
    EXPECT_EQ(player.played, pathsOf({5}));
    EXPECT_EQ(playback.playcount(), 0);
    EXPECT_EQ(grid.row(), 5);
}

TEST_F(PlaybackTest, ContinuousPlayFollowsTheRowsRepeatsTheLastAndStopsWhenUnchecked)
{
    continuous = true;
    grid.setCurrentCell(songCount - 2, 0);
    playback.mnuplay_Click();
    for (int i = 0; i < 3; ++i)
        player.finishSong();

    EXPECT_EQ(player.played, pathsOf({songCount - 2, songCount - 1, songCount, songCount}));
    EXPECT_EQ(grid.row(), songCount);
    EXPECT_EQ(playback.playcount(), 4);
    EXPECT_EQ(label1, QStringLiteral("Song:  Title 10 - By:  Artist 10"));

    // Unchecking lets the current song finish and starts nothing after it.
    continuous = false;
    player.finishSong();
    EXPECT_EQ(player.played.size(), 4);
    EXPECT_EQ(playback.playcount(), 0);
}

TEST_F(PlaybackTest, PlayDuringARunRestartsTheCountOnTheCurrentRow)
{
    continuous = true;
    grid.setCurrentCell(5, 0);
    playback.mnuplay_Click();
    player.finishSong();
    ASSERT_EQ(grid.row(), 6);

    playback.mnuplay_Click();
    EXPECT_EQ(playback.playcount(), 1);
    player.finishSong();
    EXPECT_EQ(player.played, pathsOf({5, 6, 6, 7}));

    // A new choice of row by the user is where the next Play starts.
    grid.setCurrentCell(2, 4);
    playback.mnuplay_Click();
    EXPECT_EQ(player.played.last(), songPath(2));
}

TEST_F(PlaybackTest, HelpModePlaysNothing)
{
    helpMode = true;
    continuous = true;
    grid.setCurrentCell(5, 3);
    playback.mnuplay_Click();

    EXPECT_EQ(helpShown, 1);
    EXPECT_TRUE(player.played.isEmpty());
    EXPECT_TRUE(label1.isEmpty());
    EXPECT_EQ(playback.playcount(), 1);
    EXPECT_EQ(grid.row(), 5);
    EXPECT_EQ(grid.col(), 3);

    // A song that ends while help mode is on does not move on to the next row.
    player.finishSong();
    EXPECT_EQ(helpShown, 2);
    EXPECT_TRUE(player.played.isEmpty());
    EXPECT_EQ(grid.row(), 5);
}

TEST(VolumeTable, MapsBarPositionsToHundredthsOfDecibel)
{
    const std::pair<int, std::optional<int>> cases[] = {{1, -3600}, {9, -1200}, {10, -1150}, {15, -600}, {17, -200},
                                                        {19, -50},  {20, 0},     {0, std::nullopt}, {21, std::nullopt},
                                                        {-5, std::nullopt}};
    for (const auto &[bar, volume] : cases)
        EXPECT_EQ(volumeForBar(bar), volume) << "bar " << bar;
    // Every step up the bar is louder than the one before.
    for (int bar = 2; bar <= 20; ++bar)
        EXPECT_GT(*volumeForBar(bar), *volumeForBar(bar - 1)) << "bar " << bar;
}

}  // namespace

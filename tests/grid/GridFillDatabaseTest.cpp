#include "device/iPod.h"
#include "grid/GridFill.h"
#include "grid/GridModel.h"

#include "ItunesDbWriter.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString cell(const QString &value)
{
    return value.isNull() ? QString() : QStringLiteral("  ") + value;
}

long long seconds(const QString &length)
{
    const auto parts = length.split(QLatin1Char(':'));
    return parts.at(0).toLongLong() * 60 + parts.at(1).toLongLong();
}

// Fills a grid from the database and checks that row t + 1 holds exactly the
// fields of track record t, and that the total is the sum of all lengths.
void expectRowsMatchTracks(const QByteArray &bytes, qsizetype expectedTracks)
{
    iPod pod;
    ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
    const std::vector<songinfo> &songs = pod.songs();
    ASSERT_EQ(static_cast<qsizetype>(songs.size()), expectedTracks);

    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);
    ASSERT_EQ(grid.rows(), std::max<qsizetype>(expectedTracks, 1) + 1);

    long long sum = 0;
    for (std::size_t t = 0; t < songs.size(); ++t) {
        const songinfo &song = songs[t];
        const int row = static_cast<int>(t) + 1;
        const QStringList expected{
            cell(song.title), song.title.isNull() ? QString() : cell(song.length), cell(song.artist),
            cell(song.album), cell(song.genre), cell(song.filetype),
            song.tracknumber == 0 ? QString() : QStringLiteral("   ") + QString::number(song.tracknumber),
            cell(song.file)};
        for (int c = 0; c < GridColumn::Count; ++c)
            ASSERT_EQ(grid.text(row, c), expected[c]) << "row " << row << " column " << c;
        if (!song.title.isNull())
            sum += seconds(song.length);
    }
    if (sum > 0) {
        EXPECT_EQ(total.Text2.toLongLong() * 60 + total.Text3.toLongLong(), sum);
        EXPECT_LT(total.Text3.toInt(), 60);
    }
}

QByteArray readRealDatabase(const char *name)
{
    QFile file(QStringLiteral(QUILLORY_TESTDATA_DIR "/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(FillFromDatabase, OldDatabaseGivesOneCompleteRowPerTrack)
{
    const QByteArray bytes = readRealDatabase("old-5375-tracks.itdb");
    ASSERT_FALSE(bytes.isEmpty());
    expectRowsMatchTracks(bytes, 5375);

    iPod pod;
    pod.readDatabase(bytes);
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);
    EXPECT_EQ(grid.text(1, GridColumn::Title), QStringLiteral("  Glenn Miller-In The Mood"));
    EXPECT_EQ(grid.text(5375, GridColumn::Title), QStringLiteral("  We're Not Right"));
    int numbered = 0;
    for (int r = 1; r < grid.rows(); ++r) {
        numbered += grid.text(r, GridColumn::TrackNumber).isEmpty() ? 0 : 1;
        EXPECT_TRUE(grid.text(r, GridColumn::FileName).startsWith(QStringLiteral("  \\iPod_Control\\")));
    }
    EXPECT_EQ(numbered, 5010);
}

TEST(FillFromDatabase, ModernDatabaseWithLocationLastKeepsRowsApart)
{
    const QByteArray bytes = readRealDatabase("modern-2-tracks.itdb");
    ASSERT_FALSE(bytes.isEmpty());
    expectRowsMatchTracks(bytes, 2);

    iPod pod;
    pod.readDatabase(bytes);
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);
    EXPECT_EQ(grid.text(1, GridColumn::Title), QStringLiteral("  終わりへ向かう始まりの歌"));
    EXPECT_EQ(grid.text(2, GridColumn::Title), QStringLiteral("  君の知らない物語"));
    EXPECT_FALSE(grid.text(1, GridColumn::FileName).isEmpty());
    EXPECT_FALSE(grid.text(2, GridColumn::FileName).isEmpty());
}

TEST(FillFromDatabase, StringRecordsInAnyOrder)
{
    using namespace itdb;
    const std::vector<std::vector<std::uint32_t>> orders{
        {Title, Location, Album, Artist, Genre, FileType, Comment},
        {Location, Title, Artist, Album, Genre, FileType},
        {Comment, FileType, Genre, Artist, Album, Location, Title},
        {Artist, Title},          // no location: the row still ends with its track
        {Location},               // no title: no length either
        {Genre, Location, Album},
    };
    Database db;
    for (std::size_t i = 0; i < 60; ++i) {
        Track track;
        const auto n = QString::number(i);
        track.title = QStringLiteral("ALBUM: title ") + n;
        track.location = QStringLiteral(":iPod_Control:Music:F0%1:T%2.mp3").arg(i % 10).arg(i);
        track.album = QStringLiteral("FILE: album ") + n;
        track.artist = QStringLiteral("artist ") + n;
        track.genre = QStringLiteral("genre ") + n;
        track.fileType = QStringLiteral("MPEG audio file");
        track.comment = QStringLiteral("comment");
        track.lengthMs = static_cast<std::uint32_t>(1000 * (i * 37 % 400));
        track.trackNumber = static_cast<std::uint32_t>(i % 4);
        track.order = orders[i % orders.size()];
        track.utf8 = i % 3 == 0;
        db.tracks.push_back(track);
    }
    db.albumListFirst = true;
    expectRowsMatchTracks(write(db), 60);
}

TEST(FillFromDatabase, NoTracksGiveTwoEmptyRows)
{
    iPod pod;
    ASSERT_EQ(pod.readDatabase(itdb::write(itdb::Database{})), iPod::ReadOutcome::Complete);
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_TRUE(grid.text(1, GridColumn::Title).isEmpty());
    EXPECT_EQ(total.Text2, QStringLiteral("Text2"));
}

}  // namespace

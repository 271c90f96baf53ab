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

// Reads a database and fills the grid from it.
class FillFromDatabase : public ::testing::Test
{
protected:
    void load(const QByteArray &bytes)
    {
        pod = iPod();
        total = PlayTimeBoxes();
        ASSERT_FALSE(bytes.isEmpty());
        ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
        FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);
    }

    // Row t + 1 holds exactly the fields of track record t, and the total is
    // the sum of all lengths.
    void expectRowsMatchTracks(std::size_t expectedTracks)
    {
        const std::vector<songinfo> &songs = pod.songs();
        ASSERT_EQ(songs.size(), expectedTracks);
        ASSERT_EQ(grid.rows(), static_cast<int>(std::max<std::size_t>(expectedTracks, 1)) + 1);
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
        EXPECT_EQ(leadingNumber(total.Text2) * 60 + leadingNumber(total.Text3), sum);
        EXPECT_LT(leadingNumber(total.Text3), 60);
    }

    iPod pod;
    GridModel grid;
    PlayTimeBoxes total;
};

TEST_F(FillFromDatabase, RealDatabasesGiveOneCompleteRowPerTrack)
{
    for (const auto &[name, tracks] : {std::pair{"old-5375-tracks.itdb", 5375u}, {"modern-2-tracks.itdb", 2u}}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(QUILLORY_TESTDATA_DIR "/") + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        load(file.readAll());
        expectRowsMatchTracks(tracks);
    }
}

TEST_F(FillFromDatabase, StringRecordsInAnyOrder)
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
    load(write(db));
    expectRowsMatchTracks(60);
}

}  // namespace

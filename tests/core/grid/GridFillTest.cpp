#include "core/grid/GridFill.h"

#include "TestStrings.h"
#include "core/device/iPod.h"
#include "core/grid/GridModel.h"

#include "ItunesDbWriter.h"

#include <gtest/gtest.h>

namespace {

QString cell(const QString &value)
{
    return value.isNull() ? QString() : QStringLiteral("  ") + value;
}

// Reads a database and fills the grid from it: row t + 1 must hold exactly the
// fields of track t, rows past the tracks stay blank, and the play time is the
// sum of all lengths.
void expectOneRowPerTrack(const QByteArray &bytes, std::size_t tracks)
{
    iPod pod;
    ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);

    ASSERT_EQ(static_cast<std::size_t>(pod.songsstored()), tracks);
    ASSERT_EQ(grid.rows(), static_cast<int>(std::max<std::size_t>(tracks, 1)) + 1);
    long long sum = 0;
    for (int row = 1; row < grid.rows(); ++row) {
        const std::size_t t = static_cast<std::size_t>(row) - 1;
        const songinfo song = t < tracks ? pod.song(static_cast<qsizetype>(t)) : songinfo();
        const QStringList expected{cell(song.title),
                                   song.title.isNull() ? QString() : cell(song.length),
                                   cell(song.artist),
                                   cell(song.album),
                                   cell(song.genre),
                                   cell(song.filetype),
                                   song.tracknumber == 0 ? QString()
                                                         : QStringLiteral("   ") + QString::number(song.tracknumber),
                                   cell(song.file)};
        for (int c = 0; c < GridColumn::Count; ++c)
            ASSERT_EQ(grid.text(row, c), expected[c]) << "row " << row << " column " << c;
        if (!song.title.isNull())
            sum += song.length.section(u':', 0, 0).toLongLong() * 60 + song.length.section(u':', 1).toLongLong();
    }
    EXPECT_EQ(leadingNumber(total.Text2) * 60 + leadingNumber(total.Text3), sum);
    EXPECT_LT(leadingNumber(total.Text3), 60);
}

TEST(FillGrid, StringRecordsInAnyOrderNoTracksAtAllAndReadableLengthsAdded)
{
    using namespace itdb;
    const std::vector<std::vector<std::uint32_t>> orders{
        {Title, Location, Album, Artist, Genre, FileType, Comment},
        {Location, Title, Artist, Album, Genre, FileType},
        {Comment, FileType, Genre, Artist, Album, Location, Title},
        {Artist, Title},  // no location: the row still ends with its track
        {Location},       // no title: no length either
        {Genre, Location, Album},
    };
    Database db;
    for (std::size_t i = 0; i < 60; ++i) {
        Track track;
        const auto n = QString::number(i);
        // Labels inside the values must not be taken for lines of their own.
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
    expectOneRowPerTrack(write(db), 60);
    expectOneRowPerTrack(write(Database()), 0);

    // Each length, and the total in minutes and seconds after it.
    const struct
    {
        const char16_t *length;
        bool read;
        const char16_t *minutes, *seconds;
    } steps[] = {
        {u"  3:05", true, u"3", u"5"},
        {u"  4:58", true, u"8", u"3"},
        {u"  0:00", true, u"8", u"3"},
        {u"  65:00", true, u"73", u"3"},
        {u"  4.05", false, u"73", u"3"},
        {u"  1:60", false, u"73", u"3"},
        {u"  1:100", false, u"73", u"3"},
        {u"", false, u"73", u"3"},
        // Seconds are read by value: "007" is 7, and text after the digits is ignored.
        {u"2:007", true, u"75", u"10"},
        {u"x:55 min", true, u"76", u"5"},
    };
    PlayTimeBoxes total;
    for (const auto &step : steps) {
        const QString length = QString::fromUtf16(step.length);
        SCOPED_TRACE(length.toStdString());
        total.Text1 = length;
        addsongtime(total);
        EXPECT_EQ(total.Text1, step.read ? QString() : length);
        EXPECT_EQ(total.Text2, QString::fromUtf16(step.minutes));
        EXPECT_EQ(total.Text3, QString::fromUtf16(step.seconds));
    }
}

}  // namespace

// The library against libgpod's own reading of the same player, and its
// playlists and plays since the last sync on databases made to test them.
#include "core/library/Library.h"
#include "ItunesDbWriter.h"
#include "ReaderTestSupport.h"
#include "TestData.h"
#include "core/library/PlayCounts.h"
#include "core/library/TrackFields.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The fields of track i as the tracks listing gives them, null as "null".
QStringList libraryRow(const Library &library, qsizetype i)
{
    QStringList row;
    for (int f = 0; f < kTrackFieldCount; ++f)
        row << trackFieldValue(library, i, f).value_or(u"null"_s);
    return row;
}

QString indices(const std::vector<std::uint32_t> &tracks)
{
    QStringList list;
    for (const std::uint32_t t : tracks)
        list << QString::number(t);
    return list.join(u' ');
}

#ifdef QUILLORY_GPODWRITER
// libgpod's reading of a player (with its Play Counts file): "track" and
// "playlist" rows, each without its first word.
struct GpodReading
{
    QList<QStringList> tracks, playlists;
};

GpodReading gpodReading(const QString &root)
{
    QProcess printer;
    printer.start(QStringLiteral(QUILLORY_GPODWRITER), {u"--print-library"_s, root});
    GpodReading reading;
    if (!printer.waitForFinished(120000) || printer.exitCode() != 0) {
        ADD_FAILURE() << "libgpod could not parse " << root.toStdString() << ": "
                      << printer.readAllStandardError().toStdString();
        return reading;
    }
    for (const QString &line : QString::fromUtf8(printer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split(u'\t');
        const QString kind = fields.takeFirst();
        (kind == u"track"_s ? reading.tracks : reading.playlists) << fields;
    }
    return reading;
}

bool writeWithGpod(const QString &path, const QStringList &lines)
{
    QProcess writer;
    writer.start(QStringLiteral(QUILLORY_GPODWRITER), {u"--full"_s, path});
    writer.write(lines.join(u'\n').toUtf8() + '\n');
    writer.closeWriteChannel();
    return writer.waitForFinished(60000) && writer.exitCode() == 0;
}
#endif

#ifdef QUILLORY_GPODWRITER
#define QUILLORY_NEEDS_LIBGPOD()
#else
#define QUILLORY_NEEDS_LIBGPOD()                                                                                       \
    GTEST_SKIP() << "built without libgpod: there is no quillory-gpodwriter to compare with"
#endif

constexpr std::uint32_t kMacEpoch = 2082844800;

// A Play Counts file with entries of the given length: plays, last played (Unix
// time, 0 for none), rating, skips for each track.
QByteArray playCounts(std::uint32_t entryLength, const std::vector<std::array<std::uint32_t, 4>> &entries)
{
    QByteArray file(0x60, '\0');
    file.replace(0, 4, "mhdp");
    itdb::putU32(file, 4, 0x60);
    itdb::putU32(file, 8, entryLength);
    itdb::putU32(file, 12, static_cast<std::uint32_t>(entries.size()));
    for (const auto &[plays, played, rating, skips] : entries) {
        QByteArray entry(entryLength, '\0');
        itdb::putU32(entry, 0, plays);
        itdb::putU32(entry, 4, played == 0 ? 0 : played + kMacEpoch);
        if (entryLength >= 0x10)
            itdb::putU32(entry, 12, rating);
        if (entryLength >= 0x1C)
            itdb::putU32(entry, 20, skips);
        file += entry;
    }
    return file;
}

// Every field of every track, the playlists and the plays made on the player
// since the last sync read as libgpod reads them, value for value.
class LibraryAgainstLibgpod : public PlayerFolderTest
{};

TEST_F(LibraryAgainstLibgpod, EveryFieldPlaylistAndPlayCountIsLibgpods)
{
    QUILLORY_NEEDS_LIBGPOD();
#ifdef QUILLORY_GPODWRITER
    // track, title, artist, album artist, album, genre, composer, comment, file type, track number and count,
    // disc number and count, year, length, rating, plays, skips, last played, added, bitrate, sample rate,
    // size, compilation, media type, location; then playlists by track index.
    ASSERT_TRUE(writeWithGpod(
        databasePath(u"iTunesDB"_s),
        {u"track\tJóga\tBjörk\tBjörk\tHomogenic\tPop\tBjörk & Sjón\tLive, 1997\tMPEG audio file\t7\t10\t1\t2\t1997\t"
         "245123\t80\t12\t3\t1317299624\t1200000000\t256\t44100\t9876543\t0\t1\t:iPod_Control:Music:F00:ABCD.mp3"_s,
         u"track\t終わりへ向かう始まりの歌\tsupercell\tVarious Artists\tToday Is A Beautiful Day\tJ-Pop\t\t\tAAC "
         "audio file\t1\t12\t2\t2\t2011\t129500\t60\t0\t0\t0\t1300000000\t128\t48000\t4000000\t1\t4\t"
         ":iPod_Control:Music:F01:IQZL.m4a"_s,
         u"track\tTen hours\tDrone\t\tLong\t\t\t\tWAV audio file\t0\t0\t0\t0\t0\t36000000\t0\t0\t0\t0\t0\t1411\t"
         "44100\t4000000000\t0\t2\t:iPod_Control:Music:F49:LONG.wav"_s,
         u"playlist\tRoad trip\t-\t2 0"_s, u"playlist\tEmpty\t-\t"_s, u"playlist\tPodcasts\tpodcast\t1"_s}));
    // Plays on the player for the first two tracks: the first gains plays, a
    // last play, a rating and skips; the second keeps its rating (all ones).
    put(u"Play Counts"_s, playCounts(0x1C, {{5, 1400000000, 100, 2}, {0, 0, 0xFFFFFFFF, 0}}));

    iPod pod;
    ASSERT_EQ(read(pod), iPod::ReadOutcome::Complete);
    const Library &library = pod.library();
    const GpodReading gpod = gpodReading(player.root());
    ASSERT_EQ(library.trackCount(), gpod.tracks.size());
    for (qsizetype i = 0; i < library.trackCount(); ++i)
        EXPECT_EQ(libraryRow(library, i), gpod.tracks[i]) << "track " << i;
    ASSERT_EQ(library.playlists().size(), static_cast<std::size_t>(gpod.playlists.size()));
    for (std::size_t p = 0; p < library.playlists().size(); ++p) {
        const Playlist &list = library.playlists()[p];
        EXPECT_EQ((QStringList{list.name.toString(), list.master ? u"1"_s : u"0"_s, list.podcast ? u"1"_s : u"0"_s,
                               indices(list.tracks)}),
                  gpod.playlists[static_cast<qsizetype>(p)])
            << "playlist " << p;
    }
    // The file was merged on both sides, not left out by both.
    EXPECT_TRUE(library.playCountsMerged());
    EXPECT_EQ(library.track(0).playCount, 17u);
    EXPECT_EQ(library.track(1).rating, 60u);
    // The song list holds libgpod's fields too, the length as its text.
    for (qsizetype i = 0; i < library.trackCount(); ++i) {
        const songinfo s = pod.song(i);
        const QStringList &g = gpod.tracks[i];
        EXPECT_EQ((QStringList{s.title, s.artist, s.album, s.genre, s.filetype, s.file, s.length,
                               QString::number(s.tracknumber)}),
                  (QStringList{g[0], g[1], g[3], g[4], g[7], g[24], lengthText(g[13].toUInt()), g[8]}));
    }
    EXPECT_EQ(pod.song(0).file, u"\\iPod_Control\\Music\\F00\\ABCD.mp3"_s);
    expectWholeTracks(pod);
#endif
}

// The real databases hold the tracks and playlists libgpod finds, the song
// list every track with libgpod's title and track number. libgpod
// leaves out the master playlist's items without a position record, as old
// databases write them (the library keeps them in file order): such a list
// is not compared.
TEST_F(LibraryAgainstLibgpod, RealDatabasesHoldLibgpodsTracksAndPlaylists)
{
    QUILLORY_NEEDS_LIBGPOD();
    QUILLORY_NEEDS_TESTDATA();
#ifdef QUILLORY_GPODWRITER
    const QStringList files = QDir(testDataPath({})).entryList({u"*.itdb"_s}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile source(testDataPath(name));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        put(u"iTunesDB"_s, source.readAll());
        iPod pod;
        ASSERT_EQ(read(pod), iPod::ReadOutcome::Complete);
        const Library &library = pod.library();
        const GpodReading gpod = gpodReading(player.root());
        ASSERT_EQ(library.trackCount(), gpod.tracks.size());
        ASSERT_EQ(pod.songsstored(), library.trackCount());
        for (qsizetype i = 0; i < library.trackCount(); ++i) {
            const QStringList &g = gpod.tracks[i];
            EXPECT_EQ((QStringList{pod.song(i).title, QString::number(pod.song(i).tracknumber)}),
                      (QStringList{g[0], g[8]}));
        }
        expectWholeTracks(pod);
        ASSERT_EQ(library.playlists().size(), static_cast<std::size_t>(gpod.playlists.size()));
        for (std::size_t p = 0; p < library.playlists().size(); ++p) {
            const Playlist &list = library.playlists()[p];
            const QStringList &theirs = gpod.playlists[static_cast<qsizetype>(p)];
            EXPECT_EQ(list.master, theirs[1] == u"1"_s);
            EXPECT_EQ(list.podcast, theirs[2] == u"1"_s);
            if (!list.name.isNull()) {
                EXPECT_EQ(list.name.toString(), theirs[0]);
            }
            if (!theirs[3].isEmpty() || !list.master) {
                EXPECT_EQ(indices(list.tracks), theirs[3]);
            }
        }
    }
#endif
}

// The plays of a Play Counts file are merged only from a whole file, and only
// the fields its entries are long enough to hold.
TEST(PlayCounts, OnlyAWholeFileIsMergedAndOnlyWhatItsEntriesHold)
{
    itdb::Database db;
    db.tracks.resize(2);
    db.tracks[0].title = db.tracks[1].title = u"Song"_s;
    const QByteArray bytes = itdb::write(db);
    const QByteArray whole = playCounts(0x1C, {{3, 1400000000, 40, 1}, {1, 0, 20, 0}, {9, 9, 9, 9}});
    const auto damaged = [&](qsizetype at, std::uint32_t value) {
        QByteArray file = whole;
        itdb::putU32(file, at, value);
        return file;
    };
    struct Row
    {
        const char *what;
        QByteArray file;
        bool merged;
        std::array<std::uint32_t, 4> first;  // plays, last played (Unix), rating, skips of track 0
    };
    const std::vector<Row> rows{
        {"entries of 0x1C bytes; the entry past the tracks is unused", whole, true, {3, 1400000000, 40, 1}},
        {"entries of 12 bytes hold no rating and no skips",
         playCounts(0x0C, {{3, 1400000000, 0, 0}}),
         true,
         {3, 1400000000, 0, 0}},
        {"not a Play Counts file", damaged(0, 0x6D686478), false, {0, 0, 0, 0}},
        {"a header shorter than 0x60 bytes", damaged(4, 0x20), false, {0, 0, 0, 0}},
        {"entries shorter than 12 bytes", damaged(8, 8), false, {0, 0, 0, 0}},
        {"more entries than the file holds", damaged(12, 4), false, {0, 0, 0, 0}},
        {"a file cut inside its header", whole.first(0x40), false, {0, 0, 0, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        iPod pod;
        ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
        Library library = pod.library();
        EXPECT_EQ(mergePlayCounts(library, row.file), row.merged);
        EXPECT_EQ(library.playCountsMerged(), row.merged);
        const TrackRecord &t = library.track(0);
        EXPECT_EQ((std::array<std::uint32_t, 4>{t.playCount, static_cast<std::uint32_t>(unixTime(t.lastPlayed)),
                                                t.rating, t.skipCount}),
                  row.first);
        EXPECT_EQ(library.track(1).playCount, row.merged && row.first[3] != 0 ? 1u : 0u);
    }
}

// Playlists come from the data set of type 3 when there is one, whichever comes
// first, even where the reader's window holds none of a data set's bytes when it
// gets there (a chunk of 16 bytes); items follow their positions and skip unknown
// tracks; a database cut inside its playlists still reads every song.
TEST(LibraryPlaylists, TakenFromThePodcastSetInPositionOrder)
{
    itdb::Database db;
    for (const QString &title : {u"One"_s, u"Two"_s, u"Three"_s})
        db.tracks.emplace_back().title = title;
    const itdb::PlaylistSet podcastSet{.type = 3,
                                       .playlists = {{.name = u"Mixed"_s, .ids = {3, 99, 1}, .positions = {20, 5, 10}},
                                                     {.name = {}, .ids = {2, 2}, .positions = {}, .podcast = true}}};
    const itdb::PlaylistSet plainSet{.type = 2, .playlists = {{.name = u"Plain"_s, .ids = {1}, .positions = {}}}};

    for (const bool podcastFirst : {true, false}) {
        SCOPED_TRACE(podcastFirst ? "type 3 first" : "type 3 last");
        db.playlistsAfter = false;
        db.playlistSets = podcastFirst ? std::vector{podcastSet, plainSet} : std::vector{plainSet, podcastSet};
        const QByteArray bytes = itdb::write(db);
        iPod pod;
        ASSERT_EQ(pod.readDatabase(bytes, noProgress(), 16), iPod::ReadOutcome::Complete);
        const std::vector<Playlist> &lists = pod.library().playlists();
        ASSERT_EQ(lists.size(), 2u);
        EXPECT_EQ(lists[0].name.toString(), u"Mixed"_s);
        EXPECT_EQ(lists[0].tracks, (std::vector<std::uint32_t>{0, 2}));
        EXPECT_FALSE(lists[0].master || lists[0].podcast);
        EXPECT_TRUE(lists[1].name.isNull());
        EXPECT_TRUE(lists[1].podcast);
        EXPECT_EQ(lists[1].tracks, (std::vector<std::uint32_t>{1, 1}));

        // Cut inside the last playlist set: the songs are whole, the playlists before the cut stay.
        iPod cut;
        ASSERT_EQ(cut.readDatabase(bytes.first(bytes.size() - 30)), iPod::ReadOutcome::Complete);
        EXPECT_EQ(songLines(cut.songList()), songLines(pod.songList()));
        ASSERT_EQ(cut.library().playlists().size(), podcastFirst ? 2u : 1u);
        EXPECT_EQ(cut.library().playlists()[0].tracks, lists[0].tracks);
    }
}

}  // namespace

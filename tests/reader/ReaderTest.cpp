#include "ReaderTestSupport.h"

#include "../common/TestStrings.h"
#include "ItunesDbWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using itdb::Track;
using Outcome = iPod::ReadOutcome;

namespace {

Track song(const QString &title, std::uint32_t lengthMs = 245123, std::uint32_t number = 0)
{
    Track t;
    t.title = title;
    t.location = ":iPod_Control:Music:F01:"_L1 + title + ".mp3"_L1;
    t.album = "Album "_L1 + title;
    t.artist = "Artist "_L1 + title;
    t.genre = u"Jazz"_s;
    t.fileType = u"MPEG audio file"_s;
    t.lengthMs = lengthMs;
    t.trackNumber = number;
    return t;
}

QByteArray written(std::vector<Track> tracks)
{
    itdb::Database db;
    db.tracks = std::move(tracks);
    return itdb::write(db);
}

std::vector<Track> numberedSongs(int count)
{
    std::vector<Track> tracks;
    for (int i = 0; i < count; ++i)
        tracks.push_back(song(u"Song %1"_s.arg(i + 1), 1000u * static_cast<std::uint32_t>(i), 1));
    return tracks;
}

TEST(LengthText, RoundsHalfSecondsToEvenAndPadsSeconds)
{
    const std::pair<std::uint32_t, const char *> cases[] = {
        {0, "0:00"},          {1499, "0:01"},       {1500, "0:02"},        {2500, "0:02"},
        {3500, "0:04"},       {59499, "0:59"},      {59500, "1:00"},       {245123, "4:05"},
        {3900000, "65:00"},   {3902563, "65:03"},   {36000000, "600:00"},  {4294967295u, "71582:47"},
    };
    for (const auto &[ms, text] : cases)
        EXPECT_EQ(lengthText(ms), QString::fromLatin1(text)) << ms;
}

TEST(Reader, WritesTheLabelledLinesInStringRecordOrderWithTheTrackNumberLast)
{
    // Location first, a comment and unknown types between; UTF-8 strings.
    Track reordered = song(u"Noël"_s, 1000, 12);
    reordered.comment = u"a comment"_s;
    reordered.utf8 = true;
    reordered.order = {itdb::Location, itdb::Artist, itdb::Comment, itdb::Title, itdb::Genre, itdb::EqSetting, 99,
                       itdb::FileType, itdb::Album};
    Track noTitle = song(u"C"_s, 1000, 3);
    noTitle.title = QString();
    noTitle.artist = u"Clef \U0001D11E"_s;  // outside the BMP: a surrogate pair in UTF-16
    Track noLocation = song(u"D"_s, 59500);
    noLocation.location = QString();
    noLocation.artist = noTitle.artist;
    noLocation.utf8 = true;
    Track nothing;  // no string records and no track number
    nothing.order.clear();
    iPod pod;
    ASSERT_EQ(pod.readDatabase(written({song(u"A"_s, 245123, 7), reordered, noTitle, noLocation, nothing})),
              Outcome::Complete);

    EXPECT_EQ(songLines(pod.songList()),
              texts(u"TITLE:  A|LENGTH:  4:05|FILE:  \\iPod_Control\\Music\\F01\\A.mp3|ALBUM:  Album A|"
                    u"ARTIST:  Artist A|GENRE:  Jazz|FILE TYPE:  MPEG audio file|TRACK NUMBER:   7|"
                    u"FILE:  \\iPod_Control\\Music\\F01\\Noël.mp3|ARTIST:  Artist Noël|TITLE:  Noël|LENGTH:  0:01|"
                    u"GENRE:  Jazz|FILE TYPE:  MPEG audio file|ALBUM:  Album Noël|TRACK NUMBER:   12|"
                    u"FILE:  \\iPod_Control\\Music\\F01\\C.mp3|ALBUM:  Album C|ARTIST:  Clef \U0001D11E|GENRE:  Jazz|"
                    u"FILE TYPE:  MPEG audio file|TRACK NUMBER:   3|"
                    u"TITLE:  D|LENGTH:  1:00|ALBUM:  Album D|ARTIST:  Clef \U0001D11E|GENRE:  Jazz|FILE TYPE:  MPEG audio file"));
    std::vector<qsizetype> starts;
    for (qsizetype t = 0; t < pod.songList().trackCount(); ++t)
        starts.push_back(pod.songList().trackStart(t));
    EXPECT_EQ(starts, (std::vector<qsizetype>{0, 8, 16, 22, 28})) << "a track without lines still counts";

    const songinfo &s = pod.songs()[0];
    EXPECT_EQ((QStringList{s.title, s.length, s.file, s.album, s.artist, s.genre, s.filetype}),
              texts(u"A|4:05|\\iPod_Control\\Music\\F01\\A.mp3|Album A|Artist A|Jazz|MPEG audio file"));
    EXPECT_EQ(s.tracknumber, 7u);
    EXPECT_EQ(pod.songsstored(), 5);
    EXPECT_EQ(pod.songtotal(), 5);
    EXPECT_EQ(pod.songindex(), 6);
    EXPECT_TRUE(pod.dbloaded());
    expectWholeTracks(pod);
}

TEST(Reader, ReadsMoreTracksThanSixteenBitsHoldAndYieldsAfterEveryHundredth)
{
    std::vector<Track> tracks(40000);
    for (int i = 0; i < 40000; ++i) {
        tracks[static_cast<std::size_t>(i)].title = QString::number(i);
        tracks[static_cast<std::size_t>(i)].trackNumber = static_cast<std::uint32_t>(i + 40000);
        tracks[static_cast<std::size_t>(i)].order = {itdb::Title};
    }
    int yielded = 0;
    iPod pod;
    ASSERT_EQ(pod.readDatabase(written(std::move(tracks)), [&] { ++yielded; }), Outcome::Complete);
    EXPECT_EQ(pod.songtotal(), 40000);
    EXPECT_EQ(pod.songindex(), 40001);
    ASSERT_EQ(pod.songsstored(), 40000);
    EXPECT_EQ(pod.lastsongindex(), 39999);
    EXPECT_EQ(pod.songs().back().title, u"39999"_s);
    EXPECT_EQ(pod.songList().line(pod.songList().count() - 1), u"TRACK NUMBER:   79999"_s);
    EXPECT_EQ(yielded, 400);

    for (const auto &[count, yields] : {std::pair{0, 0}, {99, 0}, {100, 1}, {250, 2}}) {
        yielded = 0;
        iPod small;
        ASSERT_EQ(small.readDatabase(written(numberedSongs(count)), [&] { ++yielded; }), Outcome::Complete);
        EXPECT_EQ(yielded, yields) << count;
    }
}

TEST(Reader, ReadsTheDatabaseOnlyOnce)
{
    const QByteArray db = written(numberedSongs(3));
    iPod pod;
    ASSERT_EQ(pod.readDatabase(db), Outcome::Complete);
    const QStringList before = songLines(pod.songList());
    EXPECT_EQ(pod.readDatabase(db), Outcome::AlreadyLoaded);
    int located = 0;
    EXPECT_EQ(pod.readitunesdb([&] { ++located; return std::optional<QString>(u"/"_s); }), Outcome::AlreadyLoaded);
    EXPECT_EQ(located, 0);
    EXPECT_EQ(songLines(pod.songList()), before);
    EXPECT_EQ(pod.songindex(), 4);
}

TEST(Reader, OpensTheDatabaseUnderThePlayerRootWhateverTheCase)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(u"IPOD_CONTROL/itunes"_s));
    QFile file(root.filePath(u"IPOD_CONTROL/itunes/ITUNESDB"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(written(numberedSongs(2)));
    file.close();

    iPod pod;
    EXPECT_EQ(pod.readitunesdb([] { return std::optional<QString>(); }), Outcome::NoPlayer);
    EXPECT_EQ(pod.readitunesdb([&] { return std::optional<QString>(root.path()); }), Outcome::Complete);
    EXPECT_EQ(pod.poddrive(), root.path());
    EXPECT_EQ(pod.songsstored(), 2);

    QTemporaryDir empty;
    iPod missing;
    EXPECT_EQ(missing.readitunesdb([&] { return std::optional<QString>(empty.path()); }), Outcome::Stopped);
    EXPECT_FALSE(missing.dbloaded());
    EXPECT_EQ(missing.poddrive(), empty.path());
}

TEST(Reader, UnreadStringTypesAreSkippedByLengthAlone)
{
    // The string length of a comment is not looked at: only its total length.
    std::vector<Track> tracks = numberedSongs(2);
    tracks[0].comment = u"c"_s;
    tracks[0].order = {itdb::Comment, itdb::Title};
    QByteArray bytes = written(tracks);
    itdb::putU32(bytes, trackOffsets(bytes)[0] + 156 + 28, 0xFFFFFFFFu);
    iPod pod;
    EXPECT_EQ(pod.readDatabase(bytes), Outcome::Complete);
    EXPECT_EQ(pod.songsstored(), 2);
    EXPECT_EQ(pod.songs()[0].title, u"Song 1"_s);
}

// Bad input: the read stops at the first broken record and keeps only whole tracks.
class BrokenDatabase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<Track> tracks = numberedSongs(3);
        tracks[1].utf8 = true;
        db = written(tracks);
        offsets = trackOffsets(db);
        iPod whole;
        ASSERT_EQ(whole.readDatabase(db), Outcome::Complete);
        allLines = songLines(whole.songList());
        for (int t = 0; t < 3; ++t)
            linesBefore.push_back(whole.songList().trackStart(t));
        linesBefore.push_back(whole.songList().count());
    }

    QStringList linesOfFirst(int tracks) const
    {
        return allLines.mid(0, linesBefore[static_cast<std::size_t>(tracks)]);
    }

    QByteArray patched(qsizetype offset, std::uint32_t value) const
    {
        QByteArray copy = db;
        itdb::putU32(copy, offset, value);
        return copy;
    }

    QByteArray retagged(qsizetype offset, const char *tag) const { return QByteArray(db).replace(offset, 4, tag); }

    QByteArray db;
    std::vector<qsizetype> offsets;  // each track record, then the end of the last
    QStringList allLines;
    std::vector<qsizetype> linesBefore;
};

TEST_F(BrokenDatabase, TruncatedAnywhereKeepsTheTracksBeforeTheCut)
{
    for (qsizetype cut = 0; cut < offsets.back(); ++cut) {
        int whole = 0;
        while (whole < 3 && offsets[static_cast<std::size_t>(whole) + 1] <= cut)
            ++whole;
        iPod pod;
        ASSERT_EQ(pod.readDatabase(QByteArrayView(db).first(cut)), Outcome::Stopped) << cut;
        ASSERT_EQ(pod.songsstored(), whole) << cut;
        ASSERT_EQ(songLines(pod.songList()), linesOfFirst(whole)) << cut;
    }
}

TEST_F(BrokenDatabase, BadCountsTagsAndLengthsEndTheReadAfterTheWholeTracks)
{
    const qsizetype trackList = offsets[0] - 92;
    const qsizetype firstString = offsets[1] + 156;
    const struct
    {
        QByteArray bytes;
        int tracks;
        const char *what;
    } cases[] = {
        {patched(trackList + 8, 0xFFFFFFFFu), 3, "track count"},
        {patched(offsets[1] + 12, 0xFFFFFFFFu), 1, "string record count"},
        {patched(offsets[2] + 12, 9), 2, "string records of the next track counted in"},
        {retagged(offsets[1], "mhix"), 1, "track tag"},
        {retagged(offsets[2] + 156 + 40 + 2 * 6, "mhoo"), 2, "tag of the third track's second string record"},
        {retagged(0, "mhbx"), 0, "database tag"},
        {retagged(trackList, "mhlx"), 0, "track list tag"},
        {patched(firstString + 8, 0), 1, "zero string record length"},
        {patched(firstString + 8, 12), 1, "string record shorter than its fields"},
        {patched(firstString + 28, 1000), 1, "string longer than its record"},
        {patched(offsets[2] + 4, 0), 2, "zero track header length"},
        {patched(offsets[2] + 4, 0x7FFFFFFFu), 2, "track header past the end"},
        {patched(4, 0), 0, "zero database header length"},
        {QByteArray(), 0, "empty file"},
        {QByteArray("mhbd"), 0, "database tag alone"},
        {QByteArray(1024, '\xFF'), 0, "no database"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        iPod pod;
        EXPECT_EQ(pod.readDatabase(c.bytes), Outcome::Stopped);
        EXPECT_FALSE(pod.dbloaded());
        EXPECT_EQ(pod.songsstored(), c.tracks);
        EXPECT_EQ(songLines(pod.songList()), linesOfFirst(c.tracks));
        expectWholeTracks(pod);
    }
}

}  // namespace

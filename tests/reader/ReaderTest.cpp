#include "ReaderTestSupport.h"

#include "ItunesDbWriter.h"
#include "common/AppInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using itdb::Track;

namespace {

Track song(const QString &title, std::uint32_t lengthMs = 245123, std::uint32_t number = 0)
{
    Track t;
    t.title = title;
    t.location = QStringLiteral(":iPod_Control:Music:F01:") + title + QStringLiteral(".mp3");
    t.album = QStringLiteral("Album of ") + title;
    t.artist = QStringLiteral("Artist of ") + title;
    t.genre = QStringLiteral("Jazz");
    t.fileType = QStringLiteral("MPEG audio file");
    t.lengthMs = lengthMs;
    t.trackNumber = number;
    return t;
}

itdb::Database databaseOf(std::vector<Track> tracks)
{
    itdb::Database db;
    db.tracks = std::move(tracks);
    return db;
}

std::vector<Track> numberedSongs(int count)
{
    std::vector<Track> tracks;
    for (int i = 0; i < count; ++i)
        tracks.push_back(song(QStringLiteral("Song %1").arg(i + 1), 1000u * static_cast<std::uint32_t>(i), 1));
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

TEST(Getlong, ReadsLeastSignificantByteFirst)
{
    const unsigned char bytes[] = {0x78, 0x56, 0x34, 0xF2};
    EXPECT_EQ(getlong(bytes), 0xF2345678u);
}

TEST(Reader, WritesTheLabelledLinesOfEveryTrackInFileOrder)
{
    Track first = song(QStringLiteral("In The Mood"), 245123, 7);
    Track second = song(QStringLiteral("Moonlight"), 59500, 0);
    iPod pod;
    ASSERT_EQ(pod.readDatabase(itdb::write(databaseOf({first, second}))), iPod::ReadOutcome::Complete);

    const QStringList expected = {
        QStringLiteral("TITLE:  In The Mood"),
        QStringLiteral("LENGTH:  4:05"),
        QStringLiteral("FILE:  \\iPod_Control\\Music\\F01\\In The Mood.mp3"),
        QStringLiteral("ALBUM:  Album of In The Mood"),
        QStringLiteral("ARTIST:  Artist of In The Mood"),
        QStringLiteral("GENRE:  Jazz"),
        QStringLiteral("FILE TYPE:  MPEG audio file"),
        QStringLiteral("TRACK NUMBER:   7"),
        QStringLiteral("TITLE:  Moonlight"),
        QStringLiteral("LENGTH:  1:00"),
        QStringLiteral("FILE:  \\iPod_Control\\Music\\F01\\Moonlight.mp3"),
        QStringLiteral("ALBUM:  Album of Moonlight"),
        QStringLiteral("ARTIST:  Artist of Moonlight"),
        QStringLiteral("GENRE:  Jazz"),
        QStringLiteral("FILE TYPE:  MPEG audio file"),
    };
    EXPECT_EQ(songLines(pod.songList()), expected);
    EXPECT_EQ(pod.songList().trackStart(1), 8);

    ASSERT_EQ(pod.songsstored(), 2);
    const songinfo &s = pod.songs()[0];
    EXPECT_EQ(s.title, first.title);
    EXPECT_EQ(s.file, QStringLiteral("\\iPod_Control\\Music\\F01\\In The Mood.mp3"));
    EXPECT_EQ(s.album, first.album);
    EXPECT_EQ(s.artist, first.artist);
    EXPECT_EQ(s.genre, first.genre);
    EXPECT_EQ(s.filetype, first.fileType);
    EXPECT_EQ(s.length, QStringLiteral("4:05"));
    EXPECT_EQ(s.tracknumber, 7u);
    EXPECT_EQ(pod.lastsongindex(), 1);
    EXPECT_EQ(pod.songtotal(), 2);
    EXPECT_EQ(pod.songindex(), 3);
    EXPECT_TRUE(pod.dbloaded());
    expectWholeTracks(pod);
}

TEST(Reader, FollowsTheStringRecordOrderAndPutsTheTrackNumberLast)
{
    // Location first and a comment in the middle, as newer databases have them.
    Track t = song(QStringLiteral("Blue"), 1000, 12);
    t.comment = QStringLiteral("a comment");
    t.order = {itdb::Location, itdb::Artist, itdb::Comment, itdb::Title, itdb::Genre, itdb::EqSetting, 99, itdb::FileType, itdb::Album};
    iPod pod;
    ASSERT_EQ(pod.readDatabase(itdb::write(databaseOf({t}))), iPod::ReadOutcome::Complete);
    const QStringList expected = {
        QStringLiteral("FILE:  \\iPod_Control\\Music\\F01\\Blue.mp3"),
        QStringLiteral("ARTIST:  Artist of Blue"),
        QStringLiteral("TITLE:  Blue"),
        QStringLiteral("LENGTH:  0:01"),
        QStringLiteral("GENRE:  Jazz"),
        QStringLiteral("FILE TYPE:  MPEG audio file"),
        QStringLiteral("ALBUM:  Album of Blue"),
        QStringLiteral("TRACK NUMBER:   12"),
    };
    EXPECT_EQ(songLines(pod.songList()), expected);
}

TEST(Reader, MissingStringRecordsGiveNoLine)
{
    Track noTitle = song(QStringLiteral("x"), 1000, 3);
    noTitle.title = QString();
    Track noLocation = song(QStringLiteral("y"));
    noLocation.location = QString();
    Track nothing;  // no string records and no track number
    nothing.order.clear();
    iPod pod;
    ASSERT_EQ(pod.readDatabase(itdb::write(databaseOf({noTitle, noLocation, nothing}))), iPod::ReadOutcome::Complete);
    const QStringList lines = songLines(pod.songList());
    EXPECT_EQ(lines.size(), 6 + 6);
    EXPECT_FALSE(lines.mid(0, 6).join(u'|').contains(QStringLiteral("TITLE:")));
    EXPECT_FALSE(lines.mid(0, 6).join(u'|').contains(QStringLiteral("LENGTH:")));
    EXPECT_EQ(lines[5], QStringLiteral("TRACK NUMBER:   3"));
    EXPECT_FALSE(lines.mid(6).join(u'|').contains(QStringLiteral("FILE:  ")));
    EXPECT_EQ(pod.songsstored(), 3);
    EXPECT_EQ(pod.songList().trackStart(2), pod.songList().count());  // a track without lines still counts
    expectWholeTracks(pod);
}

TEST(Reader, DecodesUtf16AndUtf8Strings)
{
    const QString japanese = QStringLiteral("終わりへ向かう始まりの歌");
    const QString accents = QStringLiteral("Éléonore à Noël");
    const QString emoji = QString::fromUtf8("Clef \xF0\x9D\x84\x9E ok");  // outside the BMP: a surrogate pair
    Track utf16 = song(japanese);
    utf16.artist = emoji;
    Track utf8 = song(accents);
    utf8.artist = emoji;
    utf8.utf8 = true;
    iPod pod;
    ASSERT_EQ(pod.readDatabase(itdb::write(databaseOf({utf16, utf8}))), iPod::ReadOutcome::Complete);
    ASSERT_EQ(pod.songsstored(), 2);
    EXPECT_EQ(pod.songs()[0].title, japanese);
    EXPECT_EQ(pod.songs()[0].artist, emoji);
    EXPECT_EQ(pod.songs()[1].title, accents);
    EXPECT_EQ(pod.songs()[1].artist, emoji);
    EXPECT_EQ(pod.songs()[1].file, QStringLiteral("\\iPod_Control\\Music\\F01\\") + accents + QStringLiteral(".mp3"));
}

TEST(Reader, FindsTheTrackListWhateverTheDataSetsAroundIt)
{
    for (const bool albumFirst : {false, true}) {
        for (const bool playlists : {false, true}) {
            itdb::Database db = databaseOf({song(QStringLiteral("a")), song(QStringLiteral("b"))});
            db.albumListFirst = albumFirst;
            db.playlistsAfter = playlists;
            db.databaseHeaderLength = albumFirst ? 244 : 104;
            db.trackHeaderLength = albumFirst ? 624 : 156;
            iPod pod;
            EXPECT_EQ(pod.readDatabase(itdb::write(db)), iPod::ReadOutcome::Complete);
            EXPECT_EQ(pod.songsstored(), 2) << albumFirst << playlists;
        }
    }
}

TEST(Reader, ReadsMoreTracksThanSixteenBitsHoldAndYieldsEveryHundred)
{
    const int count = 40000;
    std::vector<Track> tracks;
    tracks.reserve(count);
    for (int i = 0; i < count; ++i) {
        Track t;
        t.title = QString::number(i);
        t.trackNumber = static_cast<std::uint32_t>(i + 40000);
        t.lengthMs = 36000000;
        t.order = {itdb::Title};
        tracks.push_back(t);
    }
    std::vector<qint64> yieldedAt;
    iPod pod;
    const auto outcome = pod.readDatabase(itdb::write(databaseOf(std::move(tracks))),
                                          [&] { yieldedAt.push_back(pod.songindex()); });
    ASSERT_EQ(outcome, iPod::ReadOutcome::Complete);
    EXPECT_EQ(pod.songtotal(), count);
    EXPECT_EQ(pod.songindex(), count + 1);
    ASSERT_EQ(pod.songsstored(), count);
    EXPECT_EQ(pod.songs().back().title, QStringLiteral("39999"));
    EXPECT_EQ(pod.songs().back().tracknumber, 79999u);
    EXPECT_EQ(pod.songs().back().length, QStringLiteral("600:00"));
    EXPECT_EQ(pod.songList().line(pod.songList().count() - 1), QStringLiteral("TRACK NUMBER:   79999"));
    EXPECT_EQ(pod.lastsongindex(), count - 1);
    ASSERT_EQ(yieldedAt.size(), 400u);
    EXPECT_EQ(yieldedAt.front(), 100);
    EXPECT_EQ(yieldedAt.back(), 40000);
}

TEST(Reader, YieldsAfterEveryHundredthTrackOnly)
{
    for (const auto &[tracks, yields] : {std::pair{0, 0}, {99, 0}, {100, 1}, {250, 2}}) {
        int yielded = 0;
        iPod pod;
        ASSERT_EQ(pod.readDatabase(itdb::write(databaseOf(numberedSongs(tracks))), [&] { ++yielded; }),
                  iPod::ReadOutcome::Complete);
        EXPECT_EQ(yielded, yields) << tracks;
    }
}

TEST(Reader, EmptyTrackListReadsCompletelyWithoutLines)
{
    iPod pod;
    ASSERT_EQ(pod.readDatabase(itdb::write(databaseOf({}))), iPod::ReadOutcome::Complete);
    EXPECT_EQ(pod.songList().count(), 0);
    EXPECT_EQ(pod.songsstored(), 0);
    EXPECT_EQ(pod.lastsongindex(), 0);
    EXPECT_EQ(pod.songindex(), 1);
    EXPECT_TRUE(pod.dbloaded());
}

TEST(Reader, ReadsTheDatabaseOnlyOnce)
{
    const QByteArray db = itdb::write(databaseOf(numberedSongs(3)));
    iPod pod;
    ASSERT_EQ(pod.readDatabase(db), iPod::ReadOutcome::Complete);
    const QStringList before = songLines(pod.songList());
    EXPECT_EQ(pod.readDatabase(db), iPod::ReadOutcome::AlreadyLoaded);
    int located = 0;
    EXPECT_EQ(pod.readitunesdb([&] { ++located; return std::optional<QString>(QStringLiteral("/")); }),
              iPod::ReadOutcome::AlreadyLoaded);
    EXPECT_EQ(located, 0);
    EXPECT_EQ(songLines(pod.songList()), before);
    EXPECT_EQ(pod.songindex(), 4);
}

TEST(Reader, OpensTheDatabaseUnderThePlayerRootWhateverTheCase)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("IPOD_CONTROL/itunes")));
    QFile file(root.path() + QStringLiteral("/IPOD_CONTROL/itunes/ITUNESDB"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(itdb::write(databaseOf(numberedSongs(2))));
    file.close();

    iPod pod;
    EXPECT_EQ(pod.readitunesdb([] { return std::optional<QString>(); }), iPod::ReadOutcome::NoPlayer);
    EXPECT_EQ(pod.readitunesdb([&] { return std::optional<QString>(root.path()); }), iPod::ReadOutcome::Complete);
    EXPECT_EQ(pod.poddrive(), root.path());
    EXPECT_EQ(pod.songsstored(), 2);

    QTemporaryDir empty;
    iPod missing;
    EXPECT_EQ(missing.readitunesdb([&] { return std::optional<QString>(empty.path()); }), iPod::ReadOutcome::Stopped);
    EXPECT_FALSE(missing.dbloaded());
    EXPECT_EQ(missing.poddrive(), empty.path());
}

// Bad input: the read stops at the first broken record and keeps only whole tracks.
class BrokenDatabase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<Track> tracks = numberedSongs(3);
        tracks[1].utf8 = true;
        db = itdb::write(databaseOf(tracks));
        offsets = trackOffsets(db);
        iPod whole;
        ASSERT_EQ(whole.readDatabase(db), iPod::ReadOutcome::Complete);
        allLines = songLines(whole.songList());
        for (int t = 0; t < 3; ++t)
            linesBefore.push_back(whole.songList().trackStart(t));
        linesBefore.push_back(whole.songList().count());
    }

    // Reads bytes, expects a stopped read that kept the first `tracks` tracks.
    void expectStoppedAfter(const QByteArray &bytes, int tracks, const char *what)
    {
        SCOPED_TRACE(what);
        iPod pod;
        EXPECT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Stopped);
        EXPECT_FALSE(pod.dbloaded());
        EXPECT_EQ(pod.songsstored(), tracks);
        EXPECT_EQ(songLines(pod.songList()), allLines.mid(0, linesBefore[static_cast<std::size_t>(tracks)]));
        expectWholeTracks(pod);
    }

    QByteArray patched(qsizetype offset, std::uint32_t value) const
    {
        QByteArray copy = db;
        itdb::putU32(copy, offset, value);
        return copy;
    }

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
        ASSERT_EQ(pod.readDatabase(QByteArrayView(db).first(cut)), iPod::ReadOutcome::Stopped) << cut;
        ASSERT_EQ(pod.songsstored(), whole) << cut;
        ASSERT_EQ(songLines(pod.songList()), allLines.mid(0, linesBefore[static_cast<std::size_t>(whole)])) << cut;
    }
}

TEST_F(BrokenDatabase, CountsLargerThanTheFileStopAtTheEnd)
{
    const qsizetype trackList = offsets[0] - 92;
    expectStoppedAfter(patched(trackList + 8, 0xFFFFFFFFu), 3, "track count");
    expectStoppedAfter(patched(offsets[1] + 12, 0xFFFFFFFFu), 1, "string record count");
    expectStoppedAfter(patched(offsets[2] + 12, 9), 2, "string records of the next track counted in");
}

TEST_F(BrokenDatabase, WrongTagsEndTheRead)
{
    QByteArray track = db;
    track.replace(offsets[1], 4, "mhix");
    expectStoppedAfter(track, 1, "track tag");
    QByteArray string = db;
    string.replace(offsets[2] + 156 + 40 + 2 * 6, 4, "mhoo");  // second string record of the third track
    expectStoppedAfter(string, 2, "string record tag");
    QByteArray header = db;
    header.replace(0, 4, "mhbx");
    expectStoppedAfter(header, 0, "database tag");
    QByteArray list = db;
    list.replace(offsets[0] - 92, 4, "mhlx");
    expectStoppedAfter(list, 0, "track list tag");
}

TEST_F(BrokenDatabase, LengthsThatDoNotMoveForwardOrOverrunEndTheRead)
{
    const qsizetype firstString = offsets[1] + 156;
    expectStoppedAfter(patched(firstString + 8, 0), 1, "zero string record length");
    expectStoppedAfter(patched(firstString + 8, 12), 1, "string record shorter than its fields");
    expectStoppedAfter(patched(firstString + 28, 1000), 1, "string longer than its record");
    expectStoppedAfter(patched(offsets[2] + 4, 0), 2, "zero track header length");
    expectStoppedAfter(patched(offsets[2] + 4, 0x7FFFFFFFu), 2, "track header past the end");
    expectStoppedAfter(patched(4, 0), 0, "zero database header length");

    // A data set before the track list that does not move forward.
    itdb::Database albumFirst = databaseOf(numberedSongs(1));
    albumFirst.albumListFirst = true;
    QByteArray bytes = itdb::write(albumFirst);
    itdb::putU32(bytes, albumFirst.databaseHeaderLength + 8, 0);
    iPod pod;
    EXPECT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Stopped);
    EXPECT_EQ(pod.songsstored(), 0);
}

TEST(Reader, UnreadStringTypesAreSkippedByLengthAlone)
{
    // The string length of a comment is not looked at: only its total length.
    itdb::Database commented = databaseOf(numberedSongs(2));
    commented.tracks[0].comment = QStringLiteral("c");
    commented.tracks[0].order = {itdb::Comment, itdb::Title};
    QByteArray bytes = itdb::write(commented);
    itdb::putU32(bytes, trackOffsets(bytes)[0] + 156 + 28, 0xFFFFFFFFu);
    iPod pod;
    EXPECT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
    EXPECT_EQ(pod.songs()[0].title, QStringLiteral("Song 1"));
    EXPECT_EQ(pod.songsstored(), 2);
}

TEST(Reader, NoDatabaseAtAll)
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("mhbd"), QByteArray(1024, '\xFF')}) {
        iPod pod;
        EXPECT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Stopped);
        EXPECT_EQ(pod.songList().count(), 0);
        EXPECT_EQ(pod.songtotal(), 0);
    }
}

}  // namespace

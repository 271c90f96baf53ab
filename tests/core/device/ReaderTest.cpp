#include "ReaderTestSupport.h"

#include "ItunesDbWriter.h"
#include "ReportDoubles.h"
#include "TestStrings.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using itdb::Track;
using Outcome = iPod::ReadOutcome;

namespace {

Track song(const QString &title, std::uint32_t lengthMs = 245123, std::uint32_t number = 1)
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

TEST(LengthText, RoundsHalfSecondsToEvenAndPadsSeconds)
{
    const std::pair<std::uint32_t, const char *> cases[] = {
        {0, "0:00"},     {1499, "0:01"},  {1500, "0:02"},     {2500, "0:02"},
        {59499, "0:59"}, {59500, "1:00"}, {3902563, "65:03"}, {4294967295u, "71582:47"},
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
    reordered.order = {itdb::Location,  itdb::Artist, itdb::Comment,  itdb::Title, itdb::Genre,
                       itdb::EqSetting, 99,           itdb::FileType, itdb::Album};
    Track noTitle = song(u"C"_s, 1000, 3);
    noTitle.title = QString();
    noTitle.artist = u"Clef \U0001D11E"_s;  // outside the BMP: a surrogate pair in UTF-16
    Track noLocation = song(u"D"_s, 59500, 0);
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
                    u"TITLE:  D|LENGTH:  1:00|ALBUM:  Album D|ARTIST:  Clef \U0001D11E|GENRE:  Jazz|FILE TYPE:  MPEG "
                    u"audio file"));
    ASSERT_EQ(pod.songsstored(), 5) << "a track without lines still counts";
    EXPECT_EQ(pod.songList().trackStart(4), 28);
    expectWholeTracks(pod);
}

TEST(Reader, ReadsMoreTracksThanSixteenBitsHoldAndYieldsAfterEveryHundredth)
{
    std::vector<Track> tracks(40000);
    for (std::uint32_t i = 0; i < 40000; ++i) {
        tracks[i].title = QString::number(i);
        tracks[i].trackNumber = i + 40000;
        tracks[i].order = {itdb::Title};
    }
    RecordingSink progress;
    iPod pod;
    ASSERT_EQ(pod.readDatabase(written(std::move(tracks)), progress), Outcome::Complete);
    EXPECT_EQ(pod.songtotal(), 40000);
    ASSERT_EQ(pod.songsstored(), 40000);
    expectWholeTracks(pod);
    EXPECT_EQ(pod.songList().line(pod.songList().count() - 1), u"TRACK NUMBER:   79999"_s);
    EXPECT_EQ(progress.yields, 400);
}

// Three numbered tracks, the second in UTF-8. The read stops at the first
// broken record and keeps only whole tracks.
class ThreeTracks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<Track> tracks{song(u"A"_s), song(u"B"_s), song(u"C"_s)};
        tracks[1].utf8 = true;
        db = written(tracks);
        offsets = trackOffsets(db);
    }

    QByteArray patched(qsizetype offset, std::uint32_t value) const
    {
        QByteArray copy = db;
        itdb::putU32(copy, offset, value);
        return copy;
    }

    QByteArray retagged(qsizetype offset, const char *tag) const { return QByteArray(db).replace(offset, 4, tag); }

    // Whole tracks end at their TRACK NUMBER line: anything read of a broken one shows.
    static void expectStoppedAfter(const QByteArray &bytes, int tracks)
    {
        iPod pod;
        EXPECT_EQ(pod.readDatabase(bytes), Outcome::Stopped);
        EXPECT_FALSE(pod.dbloaded());
        EXPECT_EQ(pod.songsstored(), tracks);
        expectWholeTracks(pod);
    }

    QByteArray db;
    std::vector<qsizetype> offsets;  // each track record, then the end of the last
};

TEST_F(ThreeTracks, TruncatedAnywhereOrBrokenKeepsTheTracksBeforeTheDamage)
{
    for (qsizetype cut = 0; cut < offsets.back(); ++cut) {
        SCOPED_TRACE(cut);
        const auto whole = std::upper_bound(offsets.begin() + 1, offsets.end(), cut) - offsets.begin() - 1;
        expectStoppedAfter(QByteArrayView(db).first(cut).toByteArray(), static_cast<int>(whole));
        if (HasFailure())
            return;
    }

    // Bad counts, tags and lengths end the read after the whole tracks.
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
        {retagged(offsets[1], "mhix"), 1, "track tag"},
        {retagged(offsets[2] + 156 + 40 + 2, "mhoo"), 2, "tag of the third track's second string record"},
        {retagged(0, "mhbx"), 0, "database tag"},
        {retagged(trackList, "mhlx"), 0, "track list tag"},
        {patched(firstString + 8, 0), 1, "zero string record length"},
        {patched(offsets[2] + 156 + 8, 0x7FFFFFFFu), 2, "string record past the end"},
        {patched(offsets[2] + 4, 0), 2, "zero track header length"},
        {patched(offsets[2] + 4, 0x7FFFFFFFu), 2, "track header past the end"},
        {QByteArray(1024, '\xFF'), 0, "no database"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        expectStoppedAfter(c.bytes, c.tracks);
    }
}
TEST_F(ThreeTracks, AStringLongerThanItsRecordIsLeftOutAndTheReadGoesOn)
{
    // The second track's title (UTF-8) and the third track's location (UTF-16).
    QByteArray bytes = patched(offsets[1] + 156 + 28, 1000);
    itdb::putU32(bytes, offsets[2] + 156 + 40 + 2 + 28, 0xFFFFFFF0u);
    iPod pod;
    ASSERT_EQ(pod.readDatabase(bytes), Outcome::Complete);
    EXPECT_TRUE(pod.errorText().isEmpty());
    ASSERT_EQ(pod.songsstored(), 3);
    expectWholeTracks(pod);
    const QStringList lines = songLines(pod.songList());
    EXPECT_EQ(lines.mid(pod.songList().trackStart(1), 7),
              texts(u"FILE:  \\iPod_Control\\Music\\F01\\B.mp3|ALBUM:  Album B|ARTIST:  Artist B|GENRE:  Jazz|"
                    u"FILE TYPE:  MPEG audio file|TRACK NUMBER:   1|TITLE:  C"));
    EXPECT_TRUE(pod.song(2).file.isNull());
    EXPECT_EQ(pod.song(2).album, u"Album C"_s);
}

// Each corpus file holds hex digits, with "#" lines for comments. A comment
// "# expect: complete N" or "# expect: stopped N" gives the outcome and the
// number of whole tracks; inputs kept because they once failed need none.
// "# form: compressed" reads the input as a compressed database.
TEST(ReaderCorpus, EveryInputReadsToWholeTracks)
{
    const QDir dir(QStringLiteral(QUILLORY_SOURCE_DIR "/tests/corpus/reader"));
    const QStringList files = dir.entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray hex, expect;
        iPod::DatabaseForm form = iPod::DatabaseForm::Plain;
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const QByteArray line = raw.simplified();
            if (line.startsWith("# expect: "))
                expect = line.mid(10);
            else if (line == "# form: compressed")
                form = iPod::DatabaseForm::Compressed;
            else if (!line.startsWith('#'))
                hex += line;
        }
        const QByteArray bytes = QByteArray::fromHex(hex);
        ASSERT_FALSE(bytes.isEmpty());
        iPod pod;
        const bool complete = pod.readDatabase(bytes, noProgress(), iPod::kChunkBytes, form) == Outcome::Complete;
        expectWholeTracks(pod);
        EXPECT_EQ(complete, pod.dbloaded());
        if (!expect.isEmpty()) {
            EXPECT_EQ((complete ? "complete " : "stopped ") + QByteArray::number(pod.songsstored()), expect);
        }
    }
}

}  // namespace

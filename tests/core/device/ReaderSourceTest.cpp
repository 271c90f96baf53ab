#include "ReaderTestSupport.h"

#include "ItunesDbWriter.h"
#include "ReportDoubles.h"
#include "TestStrings.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using Outcome = iPod::ReadOutcome;

namespace {

// Everything a read leaves behind, as text: lines, track starts, per-track fields.
QStringList readBack(const iPod &pod)
{
    QStringList all = songLines(pod.songList());
    for (qsizetype t = 0; t < pod.songsstored(); ++t) {
        const songinfo s = pod.song(t);
        all << QString::number(pod.songList().trackStart(t))
            << QStringList{s.title, s.file, s.album, s.artist, s.genre, s.length, s.filetype}.join(u'|')
            << QString::number(s.tracknumber);
    }
    return all;
}

// Tracks of mixed encodings, lengths and fields; the header is long enough
// for a compressed database.
QByteArray mixedDatabase(int tracks = 40)
{
    itdb::Database db;
    db.databaseHeaderLength = 244;
    for (int i = 0; i < tracks; ++i) {
        itdb::Track t;
        t.title = u"Tïtle \U0001D11E "_s + QString::number(i);
        t.location = u":iPod_Control:Music:F0%1:X.m4a"_s.arg(i % 3);
        t.artist = i % 4 < 2 ? u"Same Artist"_s : u"Другой"_s;
        t.album = u"Album"_s.repeated(i % 5);
        t.genre = u"Pop"_s;
        t.lengthMs = static_cast<std::uint32_t>(i * 7919);
        t.trackNumber = static_cast<std::uint32_t>(i % 6);
        t.utf8 = i % 3 == 0;
        db.tracks.push_back(t);
    }
    return itdb::write(db);
}

// Records cut by the edge of a chunk read the same as in one piece.
// Reads the database whole, then in chunks of many sizes: every read gives
// the same lines, fields and yields.
void expectSameAtEveryChunkSize(const QByteArray &bytes)
{
    iPod whole;
    RecordingSink wholeProgress;
    ASSERT_EQ(whole.readDatabase(bytes, wholeProgress, bytes.size()), Outcome::Complete);
    const QStringList expected = readBack(whole);
    for (const qint64 chunk : {1, 2, 3, 5, 16, 39, 41, 48, 157, 4093}) {
        SCOPED_TRACE(chunk);
        iPod pod;
        RecordingSink progress;
        ASSERT_EQ(pod.readDatabase(bytes, progress, chunk), Outcome::Complete);
        EXPECT_EQ(readBack(pod), expected);
        EXPECT_EQ(progress.yields, wholeProgress.yields);
    }
}

TEST(ReaderChunks, AnyChunkSizeReadsLikeTheWholeDatabase)
{
    expectSameAtEveryChunkSize(mixedDatabase());
}

// A player folder whose plain database holds whatever a case puts there.
class ReaderFile : public PlayerFolderTest
{
protected:
    QString dbPath() const { return databasePath(u"iTunesDB"_s); }
    void writeDb(const QByteArray &bytes) const { put(u"iTunesDB"_s, bytes); }
    void expectStop(const QString &reason) const { PlayerFolderTest::expectStop(u"iTunesDB"_s, reason); }
};

TEST_F(ReaderFile, SaysWhatIsAtTheDatabasePathWhenItIsNoDatabaseOrWhereItBreaks)
{
    expectStop(u": there is no such file"_s);
    ASSERT_TRUE(QDir().mkdir(dbPath()));
    expectStop(u" is not a regular file but a folder"_s);
    ASSERT_TRUE(QDir().rmdir(dbPath()));
    // A pipe nobody writes to would block an open or a read for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dbPath()).constData(), 0600), 0);
    expectStop(u" is not a regular file but a pipe"_s);
    ASSERT_TRUE(QFile::remove(dbPath()));
    ASSERT_TRUE(QFile::link(dbPath(), dbPath()));
    iPod pod;
    EXPECT_EQ(read(pod), Outcome::Stopped);
    EXPECT_TRUE(pod.errorText().startsWith(dbPath() + u" cannot be opened: "_s)) << pod.errorText().toStdString();

    ASSERT_TRUE(QFile::remove(dbPath()));
    writeDb(QByteArray());
    expectStop(u" is empty"_s);
    // Two gigabytes of zeros that take no disk space are refused at their first bytes.
    ASSERT_EQ(::truncate(QFile::encodeName(dbPath()).constData(), qint64{2} << 30), 0);
    expectStop(u" is not a track database"_s);

    // A broken track is named with the songs read.
    const QByteArray bytes = mixedDatabase();
    const std::vector<qsizetype> offsets = trackOffsets(bytes);
    writeDb(bytes.first(offsets[3] + 50));
    expectStop(u" ends inside track 4: only 3 of 40 songs were read"_s);
    writeDb(QByteArray(bytes).replace(offsets[1], 4, "mhix"));
    expectStop(u" is damaged at track 2: only 1 of 40 songs were read"_s);
    writeDb(QByteArray(bytes).replace(itdb::firstTrackOffset(bytes) - 92, 4, "mhlx"));
    expectStop(u" is damaged: its track list cannot be found"_s);
}

TEST_F(ReaderFile, AnUnreadableDatabaseIsReportedAsSuch)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold for root";
    writeDb(mixedDatabase());
    ASSERT_TRUE(QFile::setPermissions(dbPath(), QFileDevice::WriteOwner));
    expectStop(u" cannot be read: permission denied"_s);
}

TEST_F(ReaderFile, AStringClaimingGigabytesIsCutOnACharacterAndTheReadGoesOn)
{
    itdb::Database db;
    db.tracks.resize(2);
    db.tracks[0].title = QString(30'000, u'€');  // three bytes each in UTF-8
    db.tracks[0].artist = u"Artist"_s;
    db.tracks[0].order = {itdb::Title, itdb::Artist};
    db.tracks[0].utf8 = true;
    db.tracks[1].title = u"Second"_s;
    const QByteArray bytes = itdb::write(db);
    // The title record claims two gigabytes, which the file holds as a hole.
    const qsizetype title = trackOffsets(bytes)[0] + db.trackHeaderLength;
    const qsizetype titleEnd = title + itdb::getU32(bytes, title + 8);
    const qint64 claimed = qint64{2} << 30;
    QByteArray head = bytes.first(titleEnd);
    itdb::putU32(head, title + 8, static_cast<std::uint32_t>(40 + claimed));
    itdb::putU32(head, title + 28, static_cast<std::uint32_t>(claimed));
    QFile file(dbPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(head), head.size());
    ASSERT_TRUE(file.seek(title + 40 + claimed));
    ASSERT_EQ(file.write(bytes.sliced(titleEnd)), bytes.size() - titleEnd);
    file.close();

    iPod pod;
    pod.setByteBudget(1 << 20);
    ASSERT_EQ(read(pod), Outcome::Complete) << pod.errorText().toStdString();
    ASSERT_EQ(pod.songsstored(), 2);
    EXPECT_EQ(pod.song(0).title, QString(65536 / 3, u'€'));
    EXPECT_EQ(pod.song(0).artist, u"Artist"_s);
    EXPECT_EQ(pod.song(1).title, u"Second"_s);
}

// A player folder that keeps the compressed database.
using CompressedPlayer = PlayerFolderTest;

TEST_F(CompressedPlayer, ReadsTheSameAsThePlainDatabaseOrStopsWithWhatWentWrong)
{
    const QByteArray plain = mixedDatabase(300);
    iPod expected;
    ASSERT_EQ(expected.readDatabase(plain), Outcome::Complete);

    const QByteArray compressed = itdb::compressed(plain);
    ASSERT_LT(compressed.size(), plain.size());
    // Beside an empty plain database, which players leave when they keep the compressed one.
    put(u"iTunesDB"_s, QByteArray());
    put(u"iTunesCDB"_s, compressed);
    iPod pod;
    ASSERT_EQ(read(pod), Outcome::Complete) << pod.errorText().toStdString();
    EXPECT_EQ(songLines(pod.songList()), songLines(expected.songList()));
    EXPECT_EQ(pod.songsstored(), 300);

    // A broken stream or a bomb stops with what went wrong.
    put(u"iTunesCDB"_s, compressed.first(compressed.size() / 2));
    expectStop(u"iTunesCDB"_s, u" cannot be read: the compressed data ends early"_s);
    // ... but only once the read needs the bytes there, not when a damaged track stops it before.
    QByteArray large = mixedDatabase(2500);
    ASSERT_GT(large.size() * 9 / 10, iPod::kChunkBytes);
    ASSERT_LT(large.size(), 2 * iPod::kChunkBytes);
    large.replace(trackOffsets(large)[1], 4, "mhix");
    const QByteArray cut = itdb::compressed(large);
    put(u"iTunesCDB"_s, cut.first(cut.size() * 19 / 20));
    expectStop(u"iTunesCDB"_s, u" is damaged at track 2: only 1 of 2500 songs were read"_s);

    QByteArray corrupt = compressed;
    for (qsizetype i = 244 + 2; i < 244 + 40; ++i)
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
    put(u"iTunesCDB"_s, corrupt);
    iPod damaged;
    EXPECT_EQ(read(damaged), Outcome::Stopped);
    EXPECT_TRUE(damaged.errorText().startsWith(databasePath(u"iTunesCDB"_s)
                                               + u" cannot be read: the compressed data is damaged ("_s))
        << damaged.errorText().toStdString();

    // Twenty megabytes of zeros in one string shrink to a few kilobytes.
    itdb::Database db;
    db.databaseHeaderLength = 244;
    db.tracks.resize(2);
    db.tracks[0].title = u"first"_s;
    db.tracks[1].comment = QString(10'000'000, QChar(0));
    const QByteArray bomb = itdb::compressed(itdb::write(db));
    ASSERT_LT(bomb.size() * 64, 20'000'000);
    put(u"iTunesCDB"_s, bomb);
    expectStop(u"iTunesCDB"_s,
               u" cannot be read: the compressed data inflates to more than %1 bytes"_s.arg(bomb.size() * 64));
}

TEST_F(CompressedPlayer, ABombOfEmptyTracksEndsAtTheByteBudgetWithNoSongKept)
{
    itdb::Database db;
    db.databaseHeaderLength = 244;
    db.trackHeaderLength = 48;
    db.tracks.resize(20'000);
    for (itdb::Track &t : db.tracks)
        t.order.clear();
    put(u"iTunesCDB"_s, itdb::compressed(itdb::write(db)));
    iPod pod;
    pod.setByteBudget(1 << 20);
    EXPECT_EQ(read(pod), Outcome::Stopped);
    EXPECT_EQ(pod.errorText(), databasePath(u"iTunesCDB"_s) + u" is too large to read"_s);
    EXPECT_EQ(pod.songsstored(), 0);
    EXPECT_EQ(pod.songList().count(), 0);

    iPod roomy;
    EXPECT_EQ(read(roomy), Outcome::Complete) << roomy.errorText().toStdString();
    EXPECT_EQ(roomy.songsstored(), 20'000);
}

}  // namespace

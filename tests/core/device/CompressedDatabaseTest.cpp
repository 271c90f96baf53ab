#include "ReaderTestSupport.h"

#include "ItunesDbWriter.h"
#include "TestStrings.h"
#include "core/device/PlayerDetection.h"

#include "FakeVolumes.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Outcome = iPod::ReadOutcome;

namespace {

QByteArray plainDatabase(std::size_t tracks)
{
    itdb::Database db;
    db.databaseHeaderLength = 244;
    for (std::size_t i = 0; i < tracks; ++i) {
        itdb::Track t;
        t.title = u"Title %1"_s.arg(i);
        t.artist = u"Artist %1"_s.arg(i % 7);
        t.location = u":iPod_Control:Music:F00:%1.mp3"_s.arg(i);
        t.lengthMs = static_cast<std::uint32_t>(1000 * i);
        t.trackNumber = static_cast<std::uint32_t>(i + 1);
        t.utf8 = i % 2 == 1;
        db.tracks.push_back(t);
    }
    return itdb::write(db);
}

// A player folder that keeps the compressed database.
class CompressedPlayer : public PlayerFolderTest
{
protected:
    void expectStop(const QString &reason) const { PlayerFolderTest::expectStop(u"iTunesCDB"_s, reason); }
    QString cdbPath() const { return databasePath(u"iTunesCDB"_s); }
};

TEST_F(CompressedPlayer, ReadsTheSameAsThePlainDatabase)
{
    const QByteArray plain = plainDatabase(300);
    iPod expected;
    ASSERT_EQ(expected.readDatabase(plain), Outcome::Complete);

    const QByteArray compressed = itdb::compressed(plain);
    ASSERT_LT(compressed.size(), plain.size());
    for (const qint64 chunk : {qint64{7}, iPod::kChunkBytes}) {
        iPod pod;
        EXPECT_EQ(pod.readDatabase(compressed, noProgress(), chunk, iPod::DatabaseForm::Compressed), Outcome::Complete);
        EXPECT_EQ(songLines(pod.songList()), songLines(expected.songList()));
    }
    // Beside an empty plain database, which players leave when they keep the compressed one.
    put(u"iTunesDB"_s, QByteArray());
    put(u"iTunesCDB"_s, compressed);
    iPod pod;
    ASSERT_EQ(read(pod), Outcome::Complete) << pod.errorText().toStdString();
    EXPECT_EQ(songLines(pod.songList()), songLines(expected.songList()));
    EXPECT_EQ(pod.songsstored(), 300);
}

TEST_F(CompressedPlayer, ABrokenStreamOrABombStopsWithWhatWentWrong)
{
    const QByteArray compressed = itdb::compressed(plainDatabase(300));
    put(u"iTunesCDB"_s, compressed.first(compressed.size() / 2));
    expectStop(u" cannot be read: the compressed data ends early"_s);

    QByteArray corrupt = compressed;
    for (qsizetype i = 244 + 2; i < 244 + 40; ++i)
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
    put(u"iTunesCDB"_s, corrupt);
    iPod pod;
    EXPECT_EQ(read(pod), Outcome::Stopped);
    EXPECT_TRUE(pod.errorText().startsWith(cdbPath() + u" cannot be read: the compressed data is damaged ("_s))
        << pod.errorText().toStdString();

    // Twenty megabytes of zeros in one string shrink to a few kilobytes.
    itdb::Database db;
    db.databaseHeaderLength = 244;
    db.tracks.resize(2);
    db.tracks[0].title = u"first"_s;
    db.tracks[1].comment = QString(10'000'000, QChar(0));
    const QByteArray bomb = itdb::compressed(itdb::write(db));
    ASSERT_LT(bomb.size() * 64, 20'000'000);
    put(u"iTunesCDB"_s, bomb);
    expectStop(u" cannot be read: the compressed data inflates to more than %1 bytes"_s.arg(bomb.size() * 64));
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
    EXPECT_EQ(pod.errorText(), cdbPath() + u" is too large to read"_s);
    EXPECT_EQ(pod.songsstored(), 0);
    EXPECT_EQ(pod.songList().count(), 0);

    iPod roomy;
    EXPECT_EQ(read(roomy), Outcome::Complete) << roomy.errorText().toStdString();
    EXPECT_EQ(roomy.songsstored(), 20'000);
}

TEST_F(CompressedPlayer, IsFoundBesideAnEmptyPlainDatabaseOrAlone)
{
    FakeVolumes volumes;
    volumes.list = {{root.path(), true, false}};
    put(u"iTunesDB"_s, QByteArray());
    EXPECT_EQ(findpod(volumes), std::nullopt) << "an empty database alone";
    put(u"iTunesCDB"_s, itdb::compressed(plainDatabase(1)));
    EXPECT_EQ(findpod(volumes), root.path());
    ASSERT_TRUE(QFile::remove(databasePath(u"iTunesDB"_s)));
    EXPECT_EQ(findpod(volumes), root.path());
    EXPECT_EQ(locatePlayer(root.path(), volumes), root.path());
}

}  // namespace

// The list command on generated player folders.
#include "CliRun.h"

#include "../reader/ReaderTestSupport.h"
#include "ItunesDbWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The song list the reader makes of the bytes, one line each.
QString expectedOutput(const QByteArray &bytes)
{
    iPod pod;
    pod.readDatabase(bytes);
    QString out;
    for (const QString &line : songLines(pod.songList()))
        out += line + u'\n';
    return out;
}

TEST(QuilloryCli, ListPrintsTheWholeTracksOfThePlayerInUtf8)
{
    QTemporaryDir root;
    const QStringList args{u"list"_s, u"--player"_s, root.path()};
    CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, u"iPod not detected\n"_s);
    EXPECT_TRUE(run.out.isEmpty());

    itdb::Database db;
    for (std::uint32_t i = 0; i < 3; ++i) {
        itdb::Track t;
        t.title = u"Chanson n°%1 – été"_s.arg(i);
        t.location = u":iPod_Control:Music:F0%1:X.mp3"_s.arg(i);
        t.artist = u"Björk"_s;
        t.lengthMs = 1000u * i;
        t.trackNumber = i;
        db.tracks.push_back(t);
    }
    const QByteArray whole = itdb::write(db);
    ASSERT_TRUE(QDir(root.path()).mkpath(u"iPod_Control/iTunes"_s));
    // A database cut inside the third track lists the first two and fails.
    for (const auto &[bytes, status] : {std::pair{whole, 0}, {whole.first(trackOffsets(whole)[2] + 10), 3}}) {
        QFile file(root.filePath(u"iPod_Control/iTunes/iTunesDB"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
        file.close();
        run = runCli(args);
        EXPECT_EQ(run.exitCode, status);
        EXPECT_EQ(run.out, expectedOutput(bytes));
        EXPECT_EQ(run.err.isEmpty(), status == 0);
    }
    EXPECT_TRUE(run.out.startsWith(u"TITLE:  Chanson n°0 – été\nLENGTH:  0:00\n"_s));
    EXPECT_EQ(run.out.count(u"TITLE:"_s), 2);
}

TEST(QuilloryCli, UsageErrorsShowTheUsageText)
{
    const QStringList bad[] = {
        {},
        {u"lists"_s},
        {u"list"_s, u"--player"_s},
        {u"list"_s, u"--verbose"_s},
        {u"list"_s, u"--player"_s, u"/a"_s, u"--player"_s, u"/b"_s},
    };
    for (const QStringList &args : bad) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith(u"usage: quillory-cli"_s));
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace

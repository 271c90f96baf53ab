#include "ReaderTestSupport.h"

#include "ItunesDbWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(QUILLORY_CLI), args);
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A player folder whose database holds the given bytes.
class PlayerFolder : public ::testing::Test
{
protected:
    void writeDatabase(const QByteArray &bytes)
    {
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("iPod_Control/iTunes")));
        QFile file(root.filePath(QStringLiteral("iPod_Control/iTunes/iTunesDB")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray expectedOutput(const QByteArray &bytes)
    {
        iPod pod;
        pod.readDatabase(bytes);
        QByteArray out;
        for (const QString &line : songLines(pod.songList()))
            out += line.toUtf8() + '\n';
        return out;
    }

    QTemporaryDir root;
};

QByteArray sampleDatabase()
{
    itdb::Database db;
    for (int i = 0; i < 3; ++i) {
        itdb::Track t;
        t.title = QStringLiteral("Chanson n°%1 – été").arg(i);
        t.location = QStringLiteral(":iPod_Control:Music:F0%1:X.mp3").arg(i);
        t.artist = QStringLiteral("Björk");
        t.lengthMs = 1000u * static_cast<std::uint32_t>(i);
        t.trackNumber = static_cast<std::uint32_t>(i);
        db.tracks.push_back(t);
    }
    return itdb::write(db);
}

TEST_F(PlayerFolder, ListPrintsTheSongListInUtf8)
{
    const QByteArray db = sampleDatabase();
    writeDatabase(db);
    const CliRun run = runCli({QStringLiteral("list"), QStringLiteral("--player"), root.path()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expectedOutput(db));
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("TITLE:  Chanson n°0 – été\nLENGTH:  0:00\n").toUtf8()));
    EXPECT_FALSE(run.out.contains('\r'));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(PlayerFolder, ABrokenDatabaseListsTheWholeTracksAndFails)
{
    const QByteArray db = sampleDatabase();
    const QByteArray cut = db.first(trackOffsets(db)[2] + 10);
    writeDatabase(cut);
    const CliRun run = runCli({QStringLiteral("list"), QStringLiteral("--player"), root.path()});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, expectedOutput(cut));
    EXPECT_EQ(run.out.count("TITLE:"), 2);
    EXPECT_FALSE(run.err.isEmpty());
}

TEST_F(PlayerFolder, NoPlayerEndsWithStatusTwo)
{
    const CliRun run = runCli({QStringLiteral("list"), QStringLiteral("--player"), root.path()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, QByteArrayLiteral("iPod not detected\n"));
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(QuilloryCli, UsageErrorsShowTheUsageText)
{
    const QStringList bad[] = {
        {},
        {QStringLiteral("lists")},
        {QStringLiteral("list"), QStringLiteral("--player")},
        {QStringLiteral("list"), QStringLiteral("--verbose")},
        {QStringLiteral("list"), QStringLiteral("--player"), QStringLiteral("/a"), QStringLiteral("--player"), QStringLiteral("/b")},
    };
    for (const QStringList &args : bad) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.status, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("usage: quillory-cli")) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace

// Runs the built quillory-cli on generated player folders.
#include "CopyTestSupport.h"
#include "ItunesDbWriter.h"
#include "ReaderTestSupport.h"
#include "core/app/PlayerSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

struct CliRun
{
    int exitCode = -1;  // -1 when it crashed or did not end within a minute
    QString out, err;
};

CliRun runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(QUILLORY_CLI), args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class CliTest : public ::testing::Test
{
protected:
    // A player with these songs (title, length in ms, track number), each with
    // a file of its own; returns its database.
    QByteArray makePlayer(const std::vector<std::tuple<QString, std::uint32_t, std::uint32_t>> &songs)
    {
        itdb::Database db;
        for (const auto &[title, lengthMs, number] : songs) {
            const auto n = static_cast<int>(locations.size());
            locations << player.addSong(u"F0%1"_s.arg(n % 3), u"S%1.mp3"_s.arg(n), 1000 + 37 * n);
            db.tracks.push_back({.title = title,
                                 .location = locations.back(),
                                 .album = u"Harbour"_s,
                                 .artist = u"Maren"_s,
                                 .genre = u"Folk"_s,
                                 .fileType = u"MPEG audio file"_s,
                                 .comment = {},
                                 .lengthMs = lengthMs,
                                 .trackNumber = number});
        }
        const QByteArray bytes = itdb::write(db);
        writeBytes(database(), bytes);
        return bytes;
    }
    QString database() const { return player.root() + u"/iPod_Control/iTunes/iTunesDB"_s; }
    CliRun run(const QString &command, const QStringList &more = {})
    {
        return runCli(QStringList{command, u"--player"_s, player.root()} + more);
    }
    QStringList targetFiles() const { return QDir(target.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    PlayerFolder player;
    QTemporaryDir target;
    QStringList locations;
};

TEST_F(CliTest, ListPrintsTheSongListInUtf8EvenOfACutDatabase)
{
    const QByteArray whole = makePlayer({{u"Chanson n°1 – été"_s, 1000, 1}, {u"Two"_s, 0, 2}, {u"Three"_s, 0, 3}});
    // Cut inside the third track: the first two are listed, and the read failed.
    for (const auto &[bytes, status] : {std::pair{whole, 0}, {whole.first(trackOffsets(whole)[2] + 10), 3}}) {
        writeBytes(database(), bytes);
        const CliRun list = run(u"list"_s);
        EXPECT_EQ(list.exitCode, status);
        iPod pod;
        pod.readDatabase(bytes);
        EXPECT_EQ(list.out, songLines(pod.songList()).join(u'\n') + u'\n');
        EXPECT_TRUE(list.out.startsWith(u"TITLE:  Chanson n°1 – été\nLENGTH:  0:01\n"_s));
        EXPECT_EQ(list.out.count(u"TITLE:"_s), status == 0 ? 3 : 2);
        EXPECT_EQ(list.err.isEmpty(), status == 0);
    }
}

TEST_F(CliTest, GridPrintsEveryCellAndSortsLikeTheWindow)
{
    makePlayer({{u"Nine ü"_s, 599000, 10}, {u"Ten"_s, 605000, 2}, {u"Второй"_s, 150000, 1}});
    const CliRun grid = run(u"grid"_s);
    ASSERT_EQ(grid.exitCode, 0) << grid.err.toStdString();
    const char16_t *lines[] = {u"  Nine ü\t  9:59\t  Maren\t  Harbour\t  Folk\t  MPEG audio file\t   10\t  ",
                               u"  Ten\t  10:05\t  Maren\t  Harbour\t  Folk\t  MPEG audio file\t   2\t  ",
                               u"  Второй\t  2:30\t  Maren\t  Harbour\t  Folk\t  MPEG audio file\t   1\t  "};
    QString expected = u"Title\tLength\tArtist\tAlbum\tGenre\tFile Type\tTrack Number\tFile Name\n"_s;
    for (int i = 0; i < 3; ++i)
        expected += QString::fromUtf16(lines[i]) + locations[i] + u'\n';
    EXPECT_EQ(grid.out, expected);

    // Lengths by duration and track numbers by value, not as text.
    for (const auto &[args, order] :
         {std::pair{texts(u"--sort|length|--descending"), texts(u"  Ten|  Nine ü|  Второй")},
          {texts(u"--sort|tracknumber"), texts(u"  Второй|  Ten|  Nine ü")}}) {
        QStringList titles;
        for (const QString &line : run(u"grid"_s, args).out.split(u'\n', Qt::SkipEmptyParts).mid(1))
            titles << line.section(u'\t', 0, 0);
        EXPECT_EQ(titles, order);
    }

    // The command line connects and sorts through the same session as the window.
    PlayerSession session;
    session.connect([this] { return std::optional<QString>(player.root()); });
    session.sort(GridColumn::Album, true);
    QString cells;
    for (int r = 0; r < session.grid().rows(); ++r) {
        QStringList row;
        for (int c = 0; c < GridColumn::Count; ++c)
            row << session.grid().text(r, c);
        cells += row.join(u'\t') + u'\n';
    }
    EXPECT_EQ(run(u"grid"_s, texts(u"--sort|album|--descending")).out, cells);
}

TEST_F(CliTest, BadArgumentsShowTheUsageAndAMissingPlayerIsReported)
{
    makePlayer({{u"One"_s, 1000, 1}, {u"Two"_s, 1000, 2}});
    const QString root = player.root(), to = target.path();
    std::vector<QStringList> bad{{},
                                 {u"lists"_s},
                                 {u"list"_s, u"--player"_s},
                                 {u"list"_s, u"--verbose"_s},
                                 {u"grid"_s, u"--player"_s, root, u"--sort"_s, u"filename"_s},
                                 {u"grid"_s, u"--player"_s, root, u"--descending"_s},
                                 {u"grid"_s, u"--player"_s, root, u"--sort"_s, u"title"_s, u"--sort"_s, u"length"_s},
                                 {u"copy"_s, u"--player"_s, root, u"--all"_s},
                                 {u"copy"_s, u"--player"_s, root, u"--to"_s, to},
                                 {u"copy"_s, u"--player"_s, root, u"--to"_s, to, u"--all"_s, u"--rows"_s, u"1"_s}};
    for (const QString &rows : texts(u"0|3|2-1|1,,2|a|1-|-2|1.5|99999999999"))
        bad.push_back({u"copy"_s, u"--player"_s, root, u"--to"_s, to, u"--rows"_s, rows});
    for (const QStringList &args : bad) {
        const CliRun result = runCli(args);
        EXPECT_EQ(result.exitCode, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty() && result.err.contains(u"usage: quillory-cli"_s)) << result.err.toStdString();
    }
    EXPECT_TRUE(targetFiles().isEmpty());
    for (const QString &command : {u"list"_s, u"grid"_s}) {
        const CliRun missing = runCli({command, u"--player"_s, to});
        EXPECT_EQ(missing.exitCode, 2);
        EXPECT_EQ(missing.err, u"iPod not detected\n"_s);
    }
}

TEST_F(CliTest, CopyRowsCopiesTheirFilesUnderTheirTitles)
{
    makePlayer({{u"One"_s, 1000, 1},
                {u"Rock/Roll: Live?"_s, 1000, 2},
                {u"Three"_s, 1000, 3},
                {u"Four"_s, 1000, 4},
                {u"Four"_s, 1000, 5}});
    const auto before = player.snapshot();
    const CliRun copy = run(u"copy"_s, {u"--to"_s, target.path(), u"--rows"_s, u"2,4-5"_s});
    ASSERT_EQ(copy.exitCode, 0) << copy.err.toStdString();
    EXPECT_EQ(copy.out,
              u" 3 Files to Copy!\n"
              "Copying files...Please wait till copying is finished...\n"
              "Copying Done...! \n"
              " 1 of your files were renamed using an underscore _ in the filename.\n"
              "This is due to the file naming limitations of Windows and Dos.\n"
              "You may remove the underscore _ in these filenames if you wish.\n"_s);
    EXPECT_EQ(targetFiles(), texts(u"Four (2).mp3|Four.mp3|Rock_Roll_ Live_.mp3"));
    EXPECT_EQ(readFile(target.filePath(u"Rock_Roll_ Live_.mp3"_s)), player.bytes(locations[1]));
    EXPECT_EQ(readFile(target.filePath(u"Four (2).mp3"_s)), player.bytes(locations[4]));
    EXPECT_EQ(player.snapshot(), before);
}

TEST_F(CliTest, CopyRefusesThePlayerAndEndsAtAMissingFile)
{
    makePlayer({{u"One"_s, 1000, 1}, {u"Two"_s, 1000, 2}, {u"Three"_s, 1000, 3}});
    const CliRun inside = run(u"copy"_s, {u"--to"_s, player.root() + u"/iPod_Control/Music"_s, u"--all"_s});
    EXPECT_EQ(inside.exitCode, 4);
    EXPECT_EQ(inside.out, u" 3 Files to Copy!\nCan't copy to iPod..\n"_s);

    ASSERT_TRUE(QFile::remove(player.root() + QString(locations[1]).replace(u'\\', u'/')));
    const CliRun broken = run(u"copy"_s, {u"--to"_s, target.path(), u"--all"_s});
    EXPECT_EQ(broken.exitCode, 5);
    EXPECT_TRUE(broken.out.endsWith(u"Copying files...Please wait till copying is finished...\n"
                                    "Error Copying File. Check source file validity!\n"_s));
    EXPECT_EQ(targetFiles(), QStringList{u"One.mp3"_s});
}

}  // namespace

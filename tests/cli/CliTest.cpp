// Runs the built quillory-cli on generated player folders.
#include "CliRun.h"

#include "../copy/CopyTestSupport.h"
#include "ItunesDbWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

itdb::Track track(const QString &title, std::uint32_t lengthMs, std::uint32_t trackNumber, const QString &location)
{
    itdb::Track t;
    t.title = title;
    t.location = location;
    t.album = QStringLiteral("Harbour");
    t.artist = QStringLiteral("Maren");
    t.genre = QStringLiteral("Folk");
    t.fileType = QStringLiteral("MPEG audio file");
    t.lengthMs = lengthMs;
    t.trackNumber = trackNumber;
    return t;
}

class CliTest : public ::testing::Test
{
protected:
    // A player whose songs have the given titles, lengths and track numbers,
    // each with a song file of its own.
    void makePlayer(const std::vector<std::tuple<QString, std::uint32_t, std::uint32_t>> &songs)
    {
        itdb::Database db;
        for (const auto &[title, lengthMs, number] : songs) {
            const QString name = QStringLiteral("S%1.mp3").arg(locations.size(), 3, 10, QLatin1Char('0'));
            locations << player.addSong(QStringLiteral("F0%1").arg(locations.size() % 3), name,
                                        1000 + 37 * static_cast<int>(locations.size()));
            db.tracks.push_back(track(title, lengthMs, number, locations.back()));
        }
        QFile file(player.root() + QStringLiteral("/iPod_Control/iTunes/iTunesDB"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_GT(file.write(itdb::write(db)), 0);
    }

    // Six songs: row r is titled "Song r".
    void makeSixSongs()
    {
        std::vector<std::tuple<QString, std::uint32_t, std::uint32_t>> songs;
        for (int r = 1; r <= 6; ++r)
            songs.emplace_back(QStringLiteral("Song %1").arg(r), 60000u * static_cast<unsigned>(r), r);
        makePlayer(songs);
    }

    CliRun grid(const QStringList &more = {})
    {
        return runCli(QStringList{QStringLiteral("grid"), QStringLiteral("--player"), player.root()} + more);
    }
    CliRun copy(const QString &to, const QStringList &more)
    {
        return runCli(QStringList{QStringLiteral("copy"), QStringLiteral("--player"), player.root(),
                                  QStringLiteral("--to"), to}
                      + more);
    }
    QStringList targetFiles() const
    {
        return QDir(target.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // The titles (first cells) of the song lines of grid output, in order.
    static QStringList titles(const QString &out)
    {
        QStringList result;
        const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (qsizetype i = 1; i < lines.size(); ++i)
            result << lines[i].section(QLatin1Char('\t'), 0, 0);
        return result;
    }

    PlayerFolder player;
    QTemporaryDir target;
    QStringList locations;
};

TEST_F(CliTest, GridPrintsHeaderAndEveryCellWithItsBlanks)
{
    makePlayer({{QStringLiteral("Ærø Ballad"), 185000, 2}, {QStringLiteral("Второй"), 65 * 60000, 10}});
    const CliRun run = grid();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString expected =
        QStringLiteral("Title\tLength\tArtist\tAlbum\tGenre\tFile Type\tTrack Number\tFile Name\n"
                       "  Ærø Ballad\t  3:05\t  Maren\t  Harbour\t  Folk\t  MPEG audio file\t   2\t  ")
        + locations[0] + QLatin1Char('\n')
        + QStringLiteral("  Второй\t  65:00\t  Maren\t  Harbour\t  Folk\t  MPEG audio file\t   10\t  ")
        + locations[1] + QLatin1Char('\n');
    EXPECT_EQ(run.out, expected);

}

TEST_F(CliTest, GridSortsWithTheWindowsOrder)
{
    makePlayer({{QStringLiteral("Nine"), 599000, 10}, {QStringLiteral("Ten"), 605000, 2},
                {QStringLiteral("Two"), 150000, 1}});
    // Lengths by duration, not as text ("10:05" < "2:30" < "9:59").
    CliRun run = grid({QStringLiteral("--sort"), QStringLiteral("length"), QStringLiteral("--descending")});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(titles(run.out), (QStringList{QStringLiteral("  Ten"), QStringLiteral("  Nine"), QStringLiteral("  Two")}));
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Title\tLength\t")));

    // Track numbers by value: 1, 2, 10.
    run = grid({QStringLiteral("--sort"), QStringLiteral("tracknumber")});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(titles(run.out), (QStringList{QStringLiteral("  Two"), QStringLiteral("  Ten"), QStringLiteral("  Nine")}));

    run = grid({QStringLiteral("--sort"), QStringLiteral("title"), QStringLiteral("--descending")});
    EXPECT_EQ(titles(run.out), (QStringList{QStringLiteral("  Two"), QStringLiteral("  Ten"), QStringLiteral("  Nine")}));
}

TEST_F(CliTest, GridRefusesBadArgumentsAndMissingPlayers)
{
    makeSixSongs();
    for (const QStringList &args : {QStringList{QStringLiteral("--sort"), QStringLiteral("filename")},
                                    QStringList{QStringLiteral("--sort")},
                                    QStringList{QStringLiteral("--descending")},
                                    QStringList{QStringLiteral("--sort"), QStringLiteral("title"),
                                                QStringLiteral("--sort"), QStringLiteral("length")},
                                    QStringList{QStringLiteral("extra")}}) {
        const CliRun run = grid(args);
        EXPECT_EQ(run.exitCode, 1) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: quillory-cli")));
    }
    const CliRun missing = runCli({QStringLiteral("grid"), QStringLiteral("--player"), target.path()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, QStringLiteral("iPod not detected\n"));
}

TEST_F(CliTest, CopyRowsCopiesTheirFilesUnderTheirTitles)
{
    makePlayer({{QStringLiteral("One"), 1000, 1}, {QStringLiteral("Rock/Roll: Live?"), 1000, 2},
                {QStringLiteral("Three"), 1000, 3}, {QStringLiteral("Four"), 1000, 4},
                {QStringLiteral("Four"), 1000, 5}, {QStringLiteral("Six"), 1000, 6}});
    const auto before = player.snapshot();
    const CliRun run = copy(target.path(), {QStringLiteral("--rows"), QStringLiteral("2,4-5")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(targetFiles(), (QStringList{QStringLiteral("Four (2).mp3"), QStringLiteral("Four.mp3"),
                                          QStringLiteral("Rock_Roll_ Live_.mp3")}));
    EXPECT_EQ(readFile(target.filePath(QStringLiteral("Rock_Roll_ Live_.mp3"))), player.bytes(locations[1]));
    EXPECT_EQ(readFile(target.filePath(QStringLiteral("Four.mp3"))), player.bytes(locations[3]));
    EXPECT_EQ(readFile(target.filePath(QStringLiteral("Four (2).mp3"))), player.bytes(locations[4]));
    EXPECT_EQ(run.out, QStringLiteral(" 3 Files to Copy!\n"
                                      "Copying files...Please wait till copying is finished...\n"
                                      "Copying Done...! \n"
                                      " 1 of your files were renamed using an underscore _ in the filename.\n"
                                      "This is due to the file naming limitations of Windows and Dos.\n"
                                      "You may remove the underscore _ in these filenames if you wish.\n"));
    EXPECT_EQ(player.snapshot(), before);
}

TEST_F(CliTest, CopyAllTakesEveryRow)
{
    makeSixSongs();
    const CliRun run = copy(target.path(), {QStringLiteral("--all")});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral(" 6 Files to Copy!\n")));
    EXPECT_EQ(targetFiles().size(), 6);
    EXPECT_EQ(readFile(target.filePath(QStringLiteral("Song 6.mp3"))), player.bytes(locations[5]));
}

TEST_F(CliTest, CopyIntoThePlayerIsRefused)
{
    makeSixSongs();
    const QString inside = player.root() + QStringLiteral("/iPod_Control/Music");
    const auto before = player.snapshot();
    const CliRun run = copy(inside, {QStringLiteral("--rows"), QStringLiteral("1")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral(" 1 Files to Copy!\nCan't copy to iPod..\n"));
    EXPECT_EQ(player.snapshot(), before);
}

TEST_F(CliTest, CopyEndsAtAMissingSource)
{
    makeSixSongs();
    ASSERT_TRUE(QFile::remove(player.root() + QString(locations[2]).replace(QLatin1Char('\\'), QLatin1Char('/'))));
    const CliRun run = copy(target.path(), {QStringLiteral("--rows"), QStringLiteral("2-4")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.exitCode, 1);
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("\nError Copying File. Check source file validity!\n")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("Copying Done")));
    // The file before the missing one stays; nothing after it is tried, nothing partial is left.
    EXPECT_EQ(targetFiles(), QStringList{QStringLiteral("Song 2.mp3")});
}

TEST_F(CliTest, CopyRefusesBadRowsAndMissingOptions)
{
    makeSixSongs();
    const QStringList badLists{QStringLiteral("0"),   QStringLiteral("7"),   QStringLiteral("2-7"),
                               QStringLiteral("3-1"), QStringLiteral("1,,2"), QStringLiteral("a"),
                               QStringLiteral("1-"),  QStringLiteral("-2"),  QStringLiteral(""),
                               QStringLiteral("1.5"), QStringLiteral("1-2-3"), QStringLiteral("99999999999")};
    for (const QString &list : badLists) {
        const CliRun run = copy(target.path(), {QStringLiteral("--rows"), list});
        EXPECT_EQ(run.exitCode, 1) << list.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << list.toStdString();
    }
    const std::vector<QStringList> badOptions{
        {QStringLiteral("--all"), QStringLiteral("--rows"), QStringLiteral("1")},
        {},
        {QStringLiteral("--all"), QStringLiteral("--all")},
        {QStringLiteral("--rows")},
    };
    for (const QStringList &args : badOptions) {
        const CliRun run = copy(target.path(), args);
        EXPECT_EQ(run.exitCode, 1) << args.join(QLatin1Char(' ')).toStdString();
    }
    const CliRun noTarget = runCli({QStringLiteral("copy"), QStringLiteral("--player"), player.root(),
                                 QStringLiteral("--all")});
    EXPECT_EQ(noTarget.exitCode, 1);
    EXPECT_TRUE(targetFiles().isEmpty());

    // The last row is in range.
    const CliRun last = copy(target.path(), {QStringLiteral("--rows"), QStringLiteral("6")});
    EXPECT_EQ(last.exitCode, 0);
    EXPECT_EQ(targetFiles(), QStringList{QStringLiteral("Song 6.mp3")});
}

}  // namespace

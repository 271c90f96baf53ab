// Runs the built quillory-cli on generated player folders.
#include "CopyTestSupport.h"
#include "ItunesDbWriter.h"
#include "ReaderTestSupport.h"
#include "cli/SongTable.h"
#include "core/app/PlayerSession.h"
#include "core/common/ProgressSink.h"
#include "core/device/DeviceInfo.h"
#include "core/export/HtmlList.h"
#include "core/stats/StatsReport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// The command line connects and sorts through the same session as the window,
// and prints every cell of its grid, the header first.
TEST_F(CliTest, GridPrintsTheWindowsCellsInTheWindowsOrder)
{
    makePlayer({{u"Nine ü"_s, 599000, 10}, {u"Ten"_s, 605000, 2}, {u"Второй"_s, 150000, 1}});
    for (const QStringList &args : {QStringList(), texts(u"--sort|length|--descending")}) {
        PlayerSession session;
        session.connect([this] { return std::optional<QString>(player.root()); });
        if (!args.isEmpty())
            session.sort(GridColumn::Length, true);
        QString cells;
        for (int r = 0; r < session.grid().rows(); ++r) {
            QStringList row;
            for (int c = 0; c < GridColumn::Count; ++c)
                row << tsvEscaped(session.grid().text(r, c));
            cells += row.join(u'\t') + u'\n';
        }
        const CliRun grid = run(u"grid"_s, args);
        ASSERT_EQ(grid.exitCode, 0) << grid.err.toStdString();
        EXPECT_EQ(grid.out, cells);
        EXPECT_TRUE(grid.out.startsWith(u"Title\tLength\t"_s));
    }
}

TEST_F(CliTest, BadArgumentsShowTheUsageAndAMissingPlayerIsReported)
{
    makePlayer({{u"One"_s, 1000, 1}, {u"Two"_s, 1000, 2}});
    const QString root = player.root(), to = target.path();
    std::vector<QStringList> bad{{},
                                 {u"lists"_s},
                                 {u"list"_s, u"--player"_s},
                                 {u"list"_s, u"--verbose"_s},
                                 {u"--player"_s, root, u"list"_s},
                                 {u"list"_s, u"--player"_s, root, u"extra"_s},
                                 {u"list"_s, u"--player"_s, root, u"--format"_s, u"xml"_s},
                                 {u"grid"_s, u"--player"_s, root, u"--sort"_s, u"comment"_s},
                                 {u"grid"_s, u"--player"_s, root, u"--descending"_s},
                                 {u"grid"_s, u"--player"_s, root, u"--sort"_s, u"title"_s, u"--sort"_s, u"length"_s},
                                 {u"copy"_s, u"--player"_s, root, u"--all"_s},
                                 {u"copy"_s, u"--player"_s, root, u"--to"_s, to},
                                 {u"copy"_s, u"--player"_s, root, u"--to"_s, to, u"--all"_s, u"--rows"_s, u"1"_s}};
    for (const QString &rows : texts(u"0|3|2-1|1,,2|a|1-|-2|1.5|99999999999"))
        bad.push_back({u"copy"_s, u"--player"_s, root, u"--to"_s, to, u"--rows"_s, rows});
    for (const QStringList &args : bad) {
        const CliRun result = runCli(args);
        EXPECT_EQ(result.exitCode, 64) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty() && result.err.startsWith(u"quillory-cli: "_s)
                    && result.err.contains(u"\n\nUsage: quillory-cli "_s))
            << result.err.toStdString();
    }
    EXPECT_TRUE(targetFiles().isEmpty());
    for (const QString &command : {u"list"_s, u"grid"_s}) {
        const CliRun missing = runCli({command, u"--player"_s, to});
        EXPECT_EQ(missing.exitCode, 2);
        EXPECT_EQ(missing.err, u"iPod not detected\n"_s);
    }
}

TEST_F(CliTest, TablesKeepAwkwardTitlesWholeInEveryFormat)
{
    const QString tab = u"Tab\there"_s, lines = u"Two\nlines\r"_s, quoted = u"Say \"hi\", twice"_s,
                  slash = u"Back\\slash é"_s;
    makePlayer({{tab, 61000, 3}, {lines, 0, 0}, {quoted, 3599000, 12}, {slash, 125000, 1}});
    const auto escapedLocation = [&](int i) { return QString(locations[i]).replace(u"\\"_s, u"\\\\"_s); };

    // tsv: column names, then the values without the grid's blanks.
    const CliRun tsv = run(u"grid"_s, {u"--format"_s, u"tsv"_s});
    EXPECT_EQ(tsv.out.split(u'\n').mid(0, 3),
              QStringList({u"title\tlength\tartist\talbum\tgenre\tfiletype\ttracknumber\tfilename"_s,
                           u"Tab\\there\t1:01\tMaren\tHarbour\tFolk\tMPEG audio file\t3\t"_s + escapedLocation(0),
                           u"Two\\nlines\\r\t0:00\tMaren\tHarbour\tFolk\tMPEG audio file\t\t"_s + escapedLocation(1)}));

    // csv: RFC 4180 quoting and CR LF record ends.
    const CliRun csv = run(u"grid"_s, {u"--format"_s, u"csv"_s});
    EXPECT_EQ(csv.out,
              u"title,length,artist,album,genre,filetype,tracknumber,filename\r\n"
              "Tab\there,1:01,Maren,Harbour,Folk,MPEG audio file,3,"_s
                  + locations[0] + u"\r\n\"Two\nlines\r\",0:00,Maren,Harbour,Folk,MPEG audio file,,"_s + locations[1]
                  + u"\r\n\"Say \"\"hi\"\", twice\",59:59,Maren,Harbour,Folk,MPEG audio file,12,"_s + locations[2]
                  + u"\r\nBack\\slash é,2:05,Maren,Harbour,Folk,MPEG audio file,1,"_s + locations[3] + u"\r\n"_s);

    // json: the column names as keys, the seconds beside the length text,
    // the track number as a number or null.
    const CliRun json = run(u"grid"_s, {u"--format"_s, u"json"_s, u"--sort"_s, u"length"_s, u"--descending"_s});
    QJsonParseError error{};
    const QJsonArray songs = QJsonDocument::fromJson(json.out.toUtf8(), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out.toStdString();
    ASSERT_EQ(songs.size(), 4);
    const QJsonObject longest = songs[0].toObject();
    EXPECT_EQ(longest.keys(), texts(u"album|artist|filename|filetype|genre|length|lengthseconds|title|tracknumber"));
    EXPECT_EQ(longest[u"title"_s].toString(), quoted);
    EXPECT_EQ(longest[u"lengthseconds"_s].toVariant(), QVariant(qlonglong{3599}));
    EXPECT_EQ(longest[u"tracknumber"_s].toVariant(), QVariant(qlonglong{12}));
    EXPECT_TRUE(songs[3].toObject()[u"tracknumber"_s].isNull());

    // list prints the same songs in database order.
    for (const QString &format : texts(u"tsv|csv|json")) {
        const CliRun list = run(u"list"_s, {u"--format"_s, format});
        EXPECT_EQ(list.exitCode, 0);
        EXPECT_EQ(list.out, run(u"grid"_s, {u"--format"_s, format}).out) << format.toStdString();
    }
}

TEST_F(CliTest, TracksAndPlaylistsPrintTheLibraryInEveryFormat)
{
    const QString lines = u"Two\nlines, \"quoted\""_s;
    makePlayer({{u"Tab\there"_s, 61000, 3}, {lines, 0, 0}});
    const QString names = u"title,artist,albumartist,album,genre,composer,comment,filetype,tracknumber,trackcount,"
                          "discnumber,disccount,year,lengthms,rating,playcount,skipcount,lastplayed,dateadded,"
                          "bitrate,samplerate,size,compilation,mediatype,location,dbid"_s;

    // csv: the field names, then every field; dates that are never are empty.
    const CliRun csv = run(u"tracks"_s, {u"--format"_s, u"csv"_s});
    EXPECT_EQ(csv.exitCode, 0);
    const QStringList records = csv.out.split(u"\r\n"_s);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0], names);
    EXPECT_EQ(records[1],
              u"Tab\there,Maren,,Harbour,Folk,,,MPEG audio file,3,0,0,0,0,61000,0,0,0,,,0,0,0,false,0,"_s + locations[0]
                  + u",5860671080858910721"_s);
    EXPECT_TRUE(records[2].startsWith(u"\"Two\nlines, \"\"quoted\"\"\",Maren,"_s));

    // json: numbers bare, never null, the compilation flag a boolean.
    QJsonParseError error{};
    const QJsonArray tracks =
        QJsonDocument::fromJson(run(u"tracks"_s, {u"--format"_s, u"json"_s}).out.toUtf8(), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    ASSERT_EQ(tracks.size(), 2);
    const QJsonObject second = tracks[1].toObject();
    EXPECT_EQ(second.keys().size(), 26);
    EXPECT_EQ(second[u"title"_s].toString(), lines);
    EXPECT_EQ(second[u"lengthms"_s].toVariant(), QVariant(qlonglong{0}));
    EXPECT_TRUE(second[u"lastplayed"_s].isNull());
    EXPECT_EQ(second[u"compilation"_s], QJsonValue(false));
    EXPECT_EQ(second[u"location"_s].toString(), locations[1]);

    // text: a block of escaped "name: value" lines a track.
    const QStringList text = run(u"tracks"_s).out.split(u'\n');
    EXPECT_EQ(text.mid(0, 2), QStringList({u"title: Tab\\there"_s, u"artist: Maren"_s}));
    EXPECT_TRUE(text.contains(u"title: Two\\nlines, \"quoted\""_s));
    EXPECT_TRUE(text.contains(u"lastplayed: never"_s));

    // The master playlist names every track by its index.
    EXPECT_EQ(run(u"playlists"_s, {u"--format"_s, u"tsv"_s}).out,
              u"name\tmaster\tpodcast\ttracks\niPod\ttrue\tfalse\t0 1\n"_s);
    const QJsonArray playlists =
        QJsonDocument::fromJson(run(u"playlists"_s, {u"--format"_s, u"json"_s}).out.toUtf8()).array();
    ASSERT_EQ(playlists.size(), 1);
    EXPECT_EQ(playlists[0].toObject()[u"tracks"_s].toArray(), QJsonArray({0, 1}));
    EXPECT_EQ(run(u"playlists"_s).out, u"iPod (master): 2 tracks 0 1\n"_s);
}

TEST_F(CliTest, TablesOfAPlayerWithoutSongsHoldNoRows)
{
    makePlayer({});
    EXPECT_EQ(run(u"list"_s, {u"--format"_s, u"json"_s}).out, u"[\n]\n"_s);
    EXPECT_EQ(run(u"grid"_s, {u"--format"_s, u"tsv"_s}).out.count(u'\n'), 1);
}

TEST_F(CliTest, HelpAndVersionGoToStandardOutput)
{
    const CliRun version = runCli({u"--version"_s});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, u"quillory-cli 1.0.1\n"_s);

    const CliRun help = runCli({u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.err.isEmpty());
    EXPECT_TRUE(help.out.startsWith(u"Usage: quillory-cli "_s));

    for (const auto &[command, option] : {std::pair{u"grid"_s, u"--sort <COLUMN>"_s}, {u"copy"_s, u"--quiet"_s}}) {
        // Help wins over everything else on the line, even a player that is missing.
        const CliRun commandHelp = runCli({command, u"--player"_s, u"/nonexistent"_s, u"--help"_s});
        EXPECT_EQ(commandHelp.exitCode, 0);
        EXPECT_TRUE(commandHelp.out.startsWith(u"Usage: quillory-cli "_s + command + u" [OPTIONS]\n"_s));
        EXPECT_TRUE(commandHelp.out.contains(option)) << commandHelp.out.toStdString();
        EXPECT_TRUE(commandHelp.err.isEmpty());
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
    EXPECT_EQ(copy.err, QString());  // no progress line when standard error is not a terminal
    EXPECT_EQ(copy.out,
              u" 3 Files to Copy!\n"
              "Copying files...Please wait till copying is finished...\n"
              "Copying Done...! \n"
              " 1 of your files were renamed using an underscore _ in the filename.\n"
              "This is due to the file naming limitations of Windows and Dos.\n"
              "You may remove the underscore _ in these filenames if you wish.\n"_s);
    EXPECT_EQ(targetFiles(), texts(u"Four (2).mp3|Four.mp3|Rock_Roll_ Live_.mp3"));
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

namespace {

// The report and the HTML list as the window makes them, from the same session.
struct WindowOutput
{
    explicit WindowOutput(const QString &root)
    {
        session.connect([root] { return std::optional<QString>(root); });
    }
    QString report()
    {
        QStringList List2;
        NoProgress progress;
        return getinfo({.songs = session.pod().songList(),
                        .grid = session.grid(),
                        .totalMinutes = session.playTime().Text2,
                        .infoFrameCaption = getpodinfo(session.pod().poddrive()).infoFrameCaption},
                       List2, progress)
            .text;
    }
    PlayerSession session;
};

TEST_F(CliTest, SearchPrintsEveryMatchInTheButtonsOrder)
{
    makePlayer({{u"Heartbeat"_s, 1000, 1}, {u"Quiet"_s, 1000, 2}, {u"Beat\tTwo"_s, 1000, 3}});
    const CliRun beat = run(u"search"_s, {u"BEAT"_s});
    ASSERT_EQ(beat.exitCode, 0) << beat.err.toStdString();
    EXPECT_EQ(beat.out, u"1\ttitle\t  Heartbeat\n3\ttitle\t  Beat\\tTwo\n"_s) << "cells escaped as grid escapes them";
    // Sorted first, as the sort menu would; every column is walked, file names too.
    const CliRun sorted = run(u"search"_s, {u"--sort"_s, u"title"_s, u"--descending"_s, u"S1.MP3"_s});
    EXPECT_EQ(sorted.out, u"1\tfilename\t  "_s + tsvEscaped(locations[1]) + u'\n');

    const CliRun none = run(u"search"_s, {u"nowhere"_s});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.isEmpty() && none.err.isEmpty()) << none.err.toStdString();
    const CliRun noText = runCli({u"search"_s, u"--player"_s, player.root()});
    EXPECT_EQ(noText.exitCode, 64);
    EXPECT_TRUE(noText.err.contains(u"Usage: quillory-cli search [OPTIONS] TEXT"_s)) << noText.err.toStdString();
}

TEST_F(CliTest, StatsPrintsTheWindowsReport)
{
    makePlayer({{u"Long"_s, 3'930'000, 1}, {u"Short"_s, 30'000, 2}, {u"Mid"_s, 200'000, 3}});
    writeBytes(player.root() + u"/iPod_Control/iTunes/DeviceInfo"_s, QByteArray("\x05Pocket\tx\r\n"));
    const CliRun stats = run(u"stats"_s);
    ASSERT_EQ(stats.exitCode, 0) << stats.err.toStdString();
    WindowOutput window(player.root());
    EXPECT_EQ(stats.out, withLineFeeds(window.report()) + u'\n');
    const QStringList lines = stats.out.split(u'\n');
    EXPECT_EQ(lines[0], u"Stats for:  Pocket\t "_s);
    EXPECT_EQ(lines.mid(14), texts(u"**** Total Songs Per Artist: ****|Maren:  3|"));

    makePlayer({});
    const CliRun empty = run(u"stats"_s);
    EXPECT_EQ(empty.exitCode, 6);
    EXPECT_TRUE(empty.out.isEmpty());
    EXPECT_TRUE(empty.err.startsWith(u"Error!"_s));
}

TEST_F(CliTest, HtmlWritesTheWindowsFile)
{
    makePlayer({{u"Rock & <Roll>"_s, 1000, 1}, {u"Two"_s, 1000, 2}});
    const CliRun html =
        run(u"html"_s, {u"--sort"_s, u"title"_s, u"--descending"_s, u"--out"_s, target.filePath(u"list.htm"_s)});
    ASSERT_EQ(html.exitCode, 0) << html.err.toStdString();
    const QString path = target.filePath(u"list.htm.html"_s);
    EXPECT_EQ(html.out, path + u'\n');
    EXPECT_EQ(targetFiles(), QStringList{u"list.htm.html"_s});

    WindowOutput window(player.root());
    window.session.sort(GridColumn::Title, true);
    NoProgress progress;
    const QString windowPath = target.filePath(u"window.html"_s);
    ASSERT_TRUE(writeHtmlList(window.session.grid(), windowPath, progress).ok);
    EXPECT_EQ(readFile(path), readFile(windowPath));

    const CliRun blocked = run(u"html"_s, {u"--out"_s, target.filePath(u"missing/list.html"_s)});
    EXPECT_EQ(blocked.exitCode, 6);
    EXPECT_TRUE(blocked.err.startsWith(u"cannot write "_s));
    EXPECT_EQ(runCli({u"html"_s, u"--player"_s, player.root()}).exitCode, 64) << "--out is needed";
}

}  // namespace

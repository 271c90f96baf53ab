// Runs the built quillory-cli on generated player folders: its arguments,
// exit statuses, what goes to standard output and standard error, and that
// every command and format is wired to the same core work as the window.
#include "CopyTestSupport.h"
#include "ItunesDbWriter.h"
#include "ProgramRun.h"
#include "ReaderTestSupport.h"
#include "cli/SongTable.h"
#include "core/app/PlayerSession.h"
#include "core/common/ProgressSink.h"
#include "core/device/DeviceInfo.h"
#include "core/export/HtmlList.h"
#include "core/stats/StatsReport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

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
        writeBytes(player.root() + u"/iPod_Control/iTunes/iTunesDB"_s, bytes);
        return bytes;
    }
    ProgramRun run(const QString &command, const QStringList &more = {})
    {
        return runCli(QStringList{command, u"--player"_s, player.root()} + more);
    }
    // The session the window would hold for this player.
    std::unique_ptr<PlayerSession> windowSession() const
    {
        auto session = std::make_unique<PlayerSession>();
        session->connect([this] { return std::optional<QString>(player.root()); });
        return session;
    }

    PlayerFolder player;
    QTemporaryDir target;
    QStringList locations;
};

TEST_F(CliTest, ListPrintsTheSongListInUtf8EvenOfACutDatabase)
{
    const QByteArray whole = makePlayer({{u"Chanson n°1 – été"_s, 1000, 1}, {u"Two"_s, 0, 2}, {u"Three"_s, 0, 3}});
    // Cut inside the third track: the first two are listed, and the read failed.
    for (const auto &[bytes, status] : {std::pair{whole, 0}, {whole.first(trackOffsets(whole)[2] + 10), 3}}) {
        writeBytes(player.root() + u"/iPod_Control/iTunes/iTunesDB"_s, bytes);
        const ProgramRun list = run(u"list"_s);
        EXPECT_EQ(list.exitCode, status);
        iPod pod;
        pod.readDatabase(bytes);
        EXPECT_EQ(list.out, songLines(pod.songList()).join(u'\n') + u'\n');
        EXPECT_EQ(list.err.isEmpty(), status == 0);
    }
}

// Help and version go to standard output; help wins over everything else on
// the line, even a player that is missing.
TEST_F(CliTest, BadArgumentsShowTheUsageAMissingPlayerIsReportedAndHelpIsShown)
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
                                 {u"search"_s, u"--player"_s, root},
                                 {u"html"_s, u"--player"_s, root},
                                 {u"copy"_s, u"--player"_s, root, u"--all"_s},
                                 {u"copy"_s, u"--player"_s, root, u"--to"_s, to},
                                 {u"copy"_s, u"--player"_s, root, u"--to"_s, to, u"--all"_s, u"--rows"_s, u"1"_s}};
    for (const QString &rows : texts(u"0|3|2-1|1,,2|a|1-|-2|1.5|99999999999"))
        bad.push_back({u"copy"_s, u"--player"_s, root, u"--to"_s, to, u"--rows"_s, rows});
    for (const QStringList &args : bad) {
        const ProgramRun result = runCli(args);
        EXPECT_EQ(result.exitCode, 64) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty() && result.err.startsWith(u"quillory-cli: "_s)
                    && result.err.contains(u"\n\nUsage: quillory-cli "_s))
            << result.err.toStdString();
    }
    EXPECT_TRUE(entriesIn(to).isEmpty());
    for (const QString &command : {u"list"_s, u"grid"_s}) {
        const ProgramRun missing = runCli({command, u"--player"_s, to});
        EXPECT_EQ(missing.exitCode, 2);
        EXPECT_EQ(missing.err, to + u" holds no iPod_Control/iTunes/iTunesDB or iTunesCDB\n"_s);
    }
    EXPECT_EQ(runCli({u"--version"_s}).out, u"quillory-cli 1.0.1\n"_s);
    for (const QStringList &args : {texts(u"--help"), texts(u"grid|--player|/nonexistent|--help")}) {
        const ProgramRun help = runCli(args);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.err.isEmpty());
        EXPECT_TRUE(help.out.startsWith(u"Usage: quillory-cli "_s + (args.size() > 1 ? u"grid [OPTIONS]\n"_s : u""_s)))
            << help.out.toStdString();
    }
}

// Text goes to a terminal: no title sends it escape sequences. csv is a file
// format and keeps every byte; json escapes as JSON does. Each format is framed
// as it should be, and list prints the grid's songs in database order. The
// command line connects and sorts through the same session as the window and
// prints every cell of its grid, the header first.
TEST_F(CliTest, EveryCommandPrintsItsFormatsAndEscapesWhatGoesToATerminal)
{
    const QString title = u"Bell\x07 \x1b[2J \u009B1m"_s;
    makePlayer({{title, 61000, 3}, {u"Two"_s, 0, 0}});
    const auto session = windowSession();
    session->sort(GridColumn::Length, true);
    QString cells;
    for (int r = 0; r < session->grid().rows(); ++r) {
        QStringList row;
        for (int c = 0; c < GridColumn::Count; ++c)
            row << tsvEscaped(session->grid().text(r, c));
        cells += row.join(u'\t') + u'\n';
    }
    EXPECT_EQ(run(u"grid"_s, texts(u"--sort|length|--descending")).out, cells);
    const auto hasControl = [](const QString &out) {
        return std::any_of(out.begin(), out.end(), [](QChar ch) {
            return ch != u'\n' && ch != u'\t'
                && (ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() <= 0x9F));
        });
    };
    for (const QStringList &args : {texts(u"list"), texts(u"grid"), texts(u"grid|--format|tsv"), texts(u"search|Bell"),
                                    texts(u"stats"), texts(u"tracks")}) {
        const ProgramRun output = run(args[0], args.mid(1));
        EXPECT_FALSE(hasControl(output.out)) << output.out.toStdString();
        EXPECT_TRUE(output.out.contains(u"Bell\\x07 \\x1b[2J \\x9b1m"_s)) << output.out.toStdString();
    }
    EXPECT_TRUE(run(u"grid"_s, texts(u"--format|json")).out.contains(u"Bell\\u0007 \\u001b[2J \\u009b1m"_s));

    const QString csv = run(u"grid"_s, texts(u"--format|csv")).out;
    EXPECT_TRUE(csv.startsWith(u"title,length,artist,album,genre,filetype,tracknumber,filename\r\n"_s + title));
    EXPECT_EQ(csv.count(u"\r\n"_s), 3);
    const QString tsv = run(u"grid"_s, texts(u"--format|tsv")).out;
    EXPECT_TRUE(tsv.startsWith(u"title\tlength\tartist\talbum\tgenre\tfiletype\ttracknumber\tfilename\n"_s));
    EXPECT_EQ(tsv.count(u'\n'), 3);
    QJsonParseError error{};
    const QJsonArray songs =
        QJsonDocument::fromJson(run(u"grid"_s, texts(u"--format|json|--sort|length")).out.toUtf8(), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    ASSERT_EQ(songs.size(), 2);
    EXPECT_EQ(songs[0].toObject()[u"title"_s].toString(), u"Two"_s) << "sorted by length";
    EXPECT_EQ(run(u"search"_s, texts(u"--format|tsv|two")).out.count(u'\n'), 2) << "the header and the song";
    for (const QString &format : texts(u"tsv|csv|json"))
        EXPECT_EQ(run(u"list"_s, {u"--format"_s, format}).out, run(u"grid"_s, {u"--format"_s, format}).out);
}

TEST_F(CliTest, TracksAndPlaylistsPrintTheLibraryInEveryFormat)
{
    makePlayer({{u"One"_s, 61000, 3}, {u"Two"_s, 0, 0}});
    // Numbers bare; dates that are never are empty in csv, null in json, "never" in text.
    const QStringList csv = run(u"tracks"_s, texts(u"--format|csv")).out.split(u"\r\n"_s);
    ASSERT_EQ(csv.size(), 4);
    EXPECT_TRUE(csv[0].startsWith(u"title,artist,albumartist,album,"_s) && csv[0].count(u',') == 25);
    EXPECT_EQ(csv[1],
              u"One,Maren,,Harbour,Folk,,,MPEG audio file,3,0,0,0,0,61000,0,0,0,,,0,0,0,false,0,"_s + locations[0]
                  + u",5860671080858910721"_s);
    const QJsonArray tracks = QJsonDocument::fromJson(run(u"tracks"_s, texts(u"--format|json")).out.toUtf8()).array();
    ASSERT_EQ(tracks.size(), 2);
    const QJsonObject second = tracks[1].toObject();
    EXPECT_EQ(second.keys().size(), 26);
    EXPECT_EQ(second[u"lengthms"_s], QJsonValue(0));
    EXPECT_TRUE(second[u"lastplayed"_s].isNull());
    EXPECT_EQ(second[u"compilation"_s], QJsonValue(false));
    const QStringList text = run(u"tracks"_s).out.split(u'\n');
    EXPECT_EQ(text.mid(0, 2), texts(u"title: One|artist: Maren"));
    EXPECT_TRUE(text.contains(u"lastplayed: never"_s));

    // The master playlist names every track by its index.
    EXPECT_EQ(run(u"playlists"_s, texts(u"--format|tsv")).out,
              u"name\tmaster\tpodcast\ttracks\niPod\ttrue\tfalse\t0 1\n"_s);
    const QJsonArray playlists =
        QJsonDocument::fromJson(run(u"playlists"_s, texts(u"--format|json")).out.toUtf8()).array();
    ASSERT_EQ(playlists.size(), 1);
    EXPECT_EQ(playlists[0].toObject()[u"tracks"_s].toArray(), QJsonArray({0, 1}));
    EXPECT_EQ(run(u"playlists"_s).out, u"iPod (master): 2 tracks 0 1\n"_s);
}

TEST_F(CliTest, CopyCopiesTheRowsAskedForRefusesThePlayerAndEndsAtAMissingFile)
{
    makePlayer({{u"One"_s, 1000, 1},
                {u"Rock/Roll: Live?"_s, 1000, 2},
                {u"Three"_s, 1000, 3},
                {u"Four"_s, 1000, 4},
                {u"Four"_s, 1000, 5}});
    const ProgramRun copy = run(u"copy"_s, {u"--to"_s, target.path(), u"--rows"_s, u"2,4-5"_s});
    ASSERT_EQ(copy.exitCode, 0) << copy.err.toStdString();
    EXPECT_EQ(copy.err, QString());  // no progress line when standard error is not a terminal
    EXPECT_TRUE(copy.out.startsWith(u" 3 Files to Copy!\nCopying files...Please wait till copying is finished...\n"
                                    "Copying Done...! \n 1 of your files were renamed using an underscore"_s))
        << copy.out.toStdString();
    EXPECT_EQ(entriesIn(target.path()), texts(u"Four (2).mp3|Four.mp3|Rock_Roll_ Live_.mp3"));
    EXPECT_EQ(readFile(target.filePath(u"Four (2).mp3"_s)), player.bytes(locations[4]));

    const ProgramRun inside = run(u"copy"_s, {u"--to"_s, player.root() + u"/iPod_Control/Music"_s, u"--all"_s});
    EXPECT_EQ(inside.exitCode, 4);
    EXPECT_EQ(inside.out, u" 5 Files to Copy!\nCan't copy to iPod..\n"_s);

    ASSERT_TRUE(QFile::remove(player.root() + QString(locations[1]).replace(u'\\', u'/')));
    const QTemporaryDir other;
    const ProgramRun broken = run(u"copy"_s, {u"--to"_s, other.path(), u"--all"_s});
    EXPECT_EQ(broken.exitCode, 5);
    EXPECT_TRUE(broken.out.contains(u"Copying files...Please wait till copying is finished...\n"
                                    "Error Copying File. Check source file validity!\nCannot open "_s))
        << broken.out.toStdString();
    EXPECT_EQ(entriesIn(other.path()), QStringList{u"One.mp3"_s});
}

// The export goes on past songs that vanished from the player, names them and
// exits 3; a second run finds the copies there; the player is refused.
TEST_F(CliTest, ExportKeepsGoingPastVanishedSongsResumesAndRefusesThePlayer)
{
    makePlayer({{u"One"_s, 1000, 1}, {u"Two"_s, 1000, 2}, {u"Three"_s, 1000, 3}, {u"Four"_s, 1000, 4}});
    for (const int gone : {1, 3})
        ASSERT_TRUE(QFile::remove(player.root() + QString(locations[gone]).replace(u'\\', u'/')));
    const ProgramRun first = run(u"export"_s, {u"--to"_s, target.path()});
    EXPECT_EQ(first.exitCode, 3);
    EXPECT_EQ(first.out, u"2 songs copied, 0 there already, in "_s + target.path() + u'\n');
    EXPECT_EQ(first.err,
              u"2 songs could not be read:\n  "_s + locations[1] + u": missing\n  "_s + locations[3]
                  + u": missing\n"_s);
    EXPECT_EQ(readFile(target.filePath(u"Maren/Harbour/03 Three.mp3"_s)), player.bytes(locations[2]));

    // --tagged names the rows as --rows does: without it the two missing songs would count.
    const ProgramRun again = run(u"export"_s, {u"--to"_s, target.path(), u"--tagged"_s, u"1,3"_s});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, u"0 songs copied, 2 there already, in "_s + target.path() + u'\n');

    EXPECT_EQ(run(u"export"_s, {u"--to"_s, player.root() + u"/iPod_Control"_s}).exitCode, 4);
}

TEST_F(CliTest, SearchPrintsEveryMatchInTheButtonsOrder)
{
    makePlayer({{u"Heartbeat"_s, 1000, 1}, {u"Quiet"_s, 1000, 2}, {u"Beat\tTwo"_s, 1000, 3}});
    const ProgramRun beat = run(u"search"_s, {u"BEAT"_s});
    ASSERT_EQ(beat.exitCode, 0) << beat.err.toStdString();
    EXPECT_EQ(beat.out, u"1\ttitle\t  Heartbeat\n3\ttitle\t  Beat\\tTwo\n"_s) << "cells escaped as grid escapes them";
    // Sorted first, as the sort menu would; every column is walked, file names too.
    const ProgramRun sorted = run(u"search"_s, {u"--sort"_s, u"title"_s, u"--descending"_s, u"S1.MP3"_s});
    EXPECT_EQ(sorted.out, u"1\tfilename\t  "_s + tsvEscaped(locations[1]) + u'\n');
    const ProgramRun none = run(u"search"_s, {u"nowhere"_s});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.isEmpty() && none.err.isEmpty()) << none.err.toStdString();
}

TEST_F(CliTest, StatsPrintsTheWindowsReportAndTablesOfNoSongsHoldNoRows)
{
    makePlayer({{u"Long"_s, 3'930'000, 1}, {u"Short"_s, 30'000, 2}, {u"Mid"_s, 200'000, 3}});
    writeBytes(player.root() + u"/iPod_Control/iTunes/DeviceInfo"_s, QByteArray("\x05Pocket\tx\r\n"));
    const ProgramRun stats = run(u"stats"_s);
    ASSERT_EQ(stats.exitCode, 0) << stats.err.toStdString();
    const auto window = windowSession();
    QStringList List2;
    NoProgress progress;
    const StatsReport report = getinfo({.songs = window->pod().songList(),
                                        .grid = window->grid(),
                                        .totalMinutes = window->playTime().Text2,
                                        .infoFrameCaption = getpodinfo(window->pod().poddrive()).infoFrameCaption},
                                       List2, progress);
    EXPECT_EQ(stats.out, withLineFeeds(report.text) + u'\n');

    makePlayer({});
    const ProgramRun empty = run(u"stats"_s);
    EXPECT_EQ(empty.exitCode, 6);
    EXPECT_TRUE(empty.out.isEmpty());
    EXPECT_TRUE(empty.err.startsWith(u"Error!"_s));
    EXPECT_EQ(run(u"list"_s, texts(u"--format|json")).out, u"[\n]\n"_s);
    EXPECT_EQ(run(u"grid"_s, texts(u"--format|tsv")).out.count(u'\n'), 1);
}

TEST_F(CliTest, HtmlWritesTheWindowsFile)
{
    makePlayer({{u"Rock & <Roll>"_s, 1000, 1}, {u"Two"_s, 1000, 2}});
    const ProgramRun html =
        run(u"html"_s, {u"--sort"_s, u"title"_s, u"--descending"_s, u"--out"_s, target.filePath(u"list.htm"_s)});
    ASSERT_EQ(html.exitCode, 0) << html.err.toStdString();
    const QString path = target.filePath(u"list.htm.html"_s);
    EXPECT_EQ(html.out, path + u'\n');
    EXPECT_EQ(entriesIn(target.path()), QStringList{u"list.htm.html"_s});

    const auto window = windowSession();
    window->sort(GridColumn::Title, true);
    NoProgress progress;
    const QString windowPath = target.filePath(u"window.html"_s);
    ASSERT_TRUE(writeHtmlList(window->grid(), windowPath, progress).ok);
    EXPECT_EQ(readFile(path), readFile(windowPath));

    const ProgramRun blocked = run(u"html"_s, {u"--out"_s, target.filePath(u"missing/list.html"_s)});
    EXPECT_EQ(blocked.exitCode, 6);
    EXPECT_TRUE(blocked.err.startsWith(u"cannot write "_s));
    const auto before = player.snapshot();
    const ProgramRun onPlayer = run(u"html"_s, {u"--out"_s, player.root() + u"/songs"_s});
    EXPECT_EQ(onPlayer.exitCode, 4);
    EXPECT_TRUE(onPlayer.err.contains(u"would be on the iPod"_s)) << onPlayer.err.toStdString();
    EXPECT_EQ(player.snapshot(), before);
}

}  // namespace

#include "core/export/ExportJob.h"

#include "CopyTestSupport.h"
#include "CountingStorage.h"
#include "SpecialFiles.h"
#include "core/common/ProgressSink.h"
#include "core/export/PlayerLibrary.h"
#include "core/grid/GridModel.h"
#include "tags/TagLibFiller.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

class ExportJobTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(destination.isValid()); }

    // A song whose file lies on the player, with the given tags.
    qsizetype addSong(const QString &title, const QString &artist, const QString &album, int track, int size = 3000)
    {
        ExportSong s;
        s.title = title;
        s.artist = artist;
        s.album = album;
        s.track = track;
        s.lengthMs = 61'400;
        s.location = player.addSong(u"F%1"_s.arg(songs.size() % 3, 2, 10, QLatin1Char('0')),
                                    u"S%1.MP3"_s.arg(songs.size()), size);
        s.size = size;
        songs.push_back(s);
        return static_cast<qsizetype>(songs.size()) - 1;
    }

    ExportLibrary library() const
    {
        ExportLibrary result;
        result.songCount = static_cast<qsizetype>(songs.size());
        result.song = [this](qsizetype i) { return songs[static_cast<std::size_t>(i)]; };
        result.fieldNames = {u"title"_s, u"artist"_s, u"location"_s};
        result.fieldValues = [this](qsizetype i) {
            const ExportSong &s = songs[static_cast<std::size_t>(i)];
            return QStringList{s.title, s.artist, s.location};
        };
        result.playlists = playlists;
        return result;
    }

    ExportReport run(ExportOptions options = {}, TagFiller *tags = nullptr,
                     std::function<void(const ExportTally &)> onSong = {})
    {
        if (options.destination.isEmpty())
            options.destination = destination.path();
        options.playerRoot = player.root();
        const ExportLibrary lib = library();
        return exportLibrary({.library = lib,
                              .options = std::move(options),
                              .storage = storage,
                              .tags = tags,
                              .progress = progress,
                              .onSong = std::move(onSong),
                              .wouldWrite = [this](const QString &path) { wouldWrite << path; }});
    }

    QString copyOf(const QString &relative) const { return destination.filePath(relative); }
    // Where song i's file lies on the player.
    QString onPlayer(qsizetype i) const
    {
        return player.root() + QString(songs[static_cast<std::size_t>(i)].location).replace(u'\\', u'/');
    }

    PlayerFolder player;
    QTemporaryDir destination;
    std::vector<ExportSong> songs;
    std::vector<ExportPlaylist> playlists;
    CountingStorage storage;
    NoProgress progress;
    QStringList wouldWrite;
};

TEST_F(ExportJobTest, SecondRunOpensNoSongAndNoFileThereIsReplaced)
{
    addSong(u"One"_s, u"A"_s, u"X"_s, 1);
    addSong(u"Two"_s, u"A"_s, u"X"_s, 2);
    addSong(u"Three"_s, u"B"_s, u"Y"_s, 3);
    // Someone else's file where the third song would go.
    writeBytes(copyOf(u"B/Y/03 Three.mp3"_s), "not the song");
    // What a killed export left beside its files and its copies goes.
    const QStringList stale{copyOf(u".quillory-0123456789abcdef.part"_s),
                            copyOf(u"B/Y/.quillory-fedcba9876543210.part"_s)};
    for (const QString &path : stale)
        writeBytes(path, "partial");

    const ExportReport first = run();
    for (const QString &path : stale)
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    EXPECT_EQ(first.outcome, ExportOutcome::Done);
    EXPECT_EQ(first.tally.copied, 3);
    EXPECT_EQ(readFile(copyOf(u"A/X/01 One.mp3"_s)), player.bytes(songs[0].location));
    EXPECT_EQ(readFile(copyOf(u"A/X/02 Two.mp3"_s)), player.bytes(songs[1].location));
    EXPECT_EQ(readFile(copyOf(u"B/Y/03 Three.mp3"_s)), "not the song");
    EXPECT_EQ(readFile(copyOf(u"B/Y/03 Three (2).mp3"_s)), player.bytes(songs[2].location));

    const QMap<QString, QByteArray> afterFirst = filesBelow(destination.path());
    storage.copies = 0;
    const ExportReport second = run();
    EXPECT_EQ(second.outcome, ExportOutcome::Done);
    EXPECT_EQ(storage.opens(), 0);
    EXPECT_EQ(second.tally.alreadyThere, 3);
    EXPECT_EQ(second.tally.copied, 0);
    EXPECT_EQ(filesBelow(destination.path()), afterFirst);

    // A copy of the right size but other bytes is only found by comparing.
    QByteArray damaged = player.bytes(songs[1].location);
    damaged[10] = static_cast<char>(damaged[10] ^ 1);
    writeBytes(copyOf(u"A/X/02 Two.mp3"_s), damaged);
    ExportOptions verify;
    verify.verify = true;
    const ExportReport verified = run(verify);
    EXPECT_EQ(storage.compares, 3);
    EXPECT_EQ(storage.copies, 1);
    EXPECT_EQ(verified.tally.copied, 1);
    EXPECT_EQ(verified.tally.alreadyThere, 2);
    EXPECT_EQ(filesBelow(destination.path()), afterFirst);
}

TEST_F(ExportJobTest, KeepsGoingPastSongsThatCannotBeReadAndNamesThem)
{
    HangWatch watch;
    addSong(u"Good"_s, u"A"_s, u"X"_s, 1);
    const qsizetype vanished = addSong(u"Gone"_s, u"A"_s, u"X"_s, 2);
    const qsizetype pipe = addSong(u"Pipe"_s, u"A"_s, u"X"_s, 3);
    const qsizetype cut = addSong(u"Cut"_s, u"A"_s, u"X"_s, 4);
    addSong(u"Last"_s, u"A"_s, u"X"_s, 5);
    QFile::remove(onPlayer(vanished));
    makeSpecialFile(SpecialFile::Fifo, onPlayer(pipe));
    songs[static_cast<std::size_t>(cut)].size = 4000;  // the database says longer than the file is

    const ExportReport report = run();
    EXPECT_EQ(report.outcome, ExportOutcome::SomeUnreadable);
    EXPECT_EQ(report.tally.copied, 2);
    EXPECT_EQ(report.tally.unreadable, 3);
    ASSERT_EQ(report.unreadable.size(), 3);
    for (const qsizetype i : {vanished, pipe, cut})
        EXPECT_TRUE(report.unreadable.join(u'\n').contains(songs[static_cast<std::size_t>(i)].location));
    const QMap<QString, QByteArray> files = filesBelow(destination.path());
    EXPECT_EQ(files.keys(),
              (QStringList{u".quillory-export"_s, u"A/X/01 Good.mp3"_s, u"A/X/05 Last.mp3"_s, u"Library.csv"_s}));

    // A destination that cannot be written stops the export at once.
    writeBytes(copyOf(u"blocked"_s), "a file, not a folder");
    ExportOptions blocked;
    blocked.destination = copyOf(u"blocked/inside"_s);
    const ExportReport failed = run(blocked);
    EXPECT_EQ(failed.outcome, ExportOutcome::DestinationFailed);
    EXPECT_FALSE(failed.errorText.isEmpty());
}

TEST_F(ExportJobTest, PlaylistsResolveToTheCopiesInOrderAndTheLibraryFileReadsBack)
{
    const qsizetype a = addSong(u"Alpha, \"the\" first"_s, u"Zoë"_s, u"X"_s, 1);
    const qsizetype b = addSong(u"Beta\nline"_s, u"Zoë"_s, u"X"_s, 2);
    const qsizetype c = addSong(u"Gamma"_s, u"Other"_s, u"Y"_s, 3);
    playlists = {{u"Mix/Tape"_s, {c, a, c, b}}, {u"Mix/Tape"_s, {b}}, {u"Empty"_s, {}}};
    ExportOptions options;
    options.selected.assign(3, true);
    options.selected[2] = false;  // c is not exported

    const ExportReport report = run(options);
    ASSERT_EQ(report.outcome, ExportOutcome::Done);
    const QString folder = copyOf(u"Playlists"_s);
    QStringList lines = QString::fromUtf8(readFile(folder + u"/Mix_Tape.m3u8"_s)).split(u'\n');
    ASSERT_EQ(lines.takeLast(), QString());
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], u"#EXTM3U"_s);
    EXPECT_EQ(lines[1], u"#EXTINF:61,Zoë - Alpha, \"the\" first"_s);
    EXPECT_EQ(lines[3], u"#EXTINF:61,Zoë - Beta line"_s);
    for (const auto &[line, song] : {std::pair{2, a}, std::pair{4, b}}) {
        EXPECT_TRUE(lines[line].startsWith(u"../"_s)) << lines[line].toStdString();
        EXPECT_EQ(readFile(folder + u'/' + lines[line]), player.bytes(songs[static_cast<std::size_t>(song)].location));
    }
    EXPECT_EQ(QString::fromUtf8(readFile(folder + u"/Mix_Tape (2).m3u8"_s)).count(u"#EXTINF"_s), 1);
    EXPECT_EQ(readFile(folder + u"/Empty.m3u8"_s), "#EXTM3U\n");

    // The library file: the fields, and where each exported song's copy is.
    EXPECT_EQ(
        readFile(copyOf(u"Library.csv"_s)),
        u"\uFEFFtitle,artist,location,exported\r\n"
        "\"Alpha, \"\"the\"\" first\",Zoë,\\iPod_Control\\Music\\F00\\S0.MP3,\"Zoë/X/01 Alpha, _the_ first.mp3\"\r\n"
        "\"Beta\nline\",Zoë,\\iPod_Control\\Music\\F01\\S1.MP3,Zoë/X/02 Beta_line.mp3\r\n"_s.toUtf8());
    EXPECT_TRUE(QFileInfo(copyOf(u"Library.csv"_s)).permissions() & QFile::ReadOther);
    EXPECT_TRUE(QFileInfo(folder + u"/Empty.m3u8"_s).permissions() & QFile::ReadOther);
    for (const auto &[song, copy] :
         {std::pair{a, u"Zoë/X/01 Alpha, _the_ first.mp3"_s}, {b, u"Zoë/X/02 Beta_line.mp3"_s}})
        EXPECT_EQ(readFile(copyOf(copy)), player.bytes(songs[static_cast<std::size_t>(song)].location));
}

TEST_F(ExportJobTest, DryRunAndTheRefusalOfThePlayerWriteNothing)
{
    addSong(u"One"_s, u"A"_s, u"X"_s, 1);
    playlists = {{u"P"_s, {0}}};
    const QMap<QString, QByteArray> playerBefore = player.snapshot();
    ExportOptions dry;
    dry.dryRun = true;
    const ExportReport report = run(dry);
    EXPECT_EQ(report.outcome, ExportOutcome::Done);
    EXPECT_EQ(wouldWrite,
              (QStringList{copyOf(u"A/X/01 One.mp3"_s), copyOf(u"Playlists/P.m3u8"_s), copyOf(u"Library.csv"_s)}));
    EXPECT_TRUE(filesBelow(destination.path()).isEmpty());
    EXPECT_EQ(storage.opens(), 0);

    ExportOptions onPlayer;
    onPlayer.destination = player.root() + u"/Export"_s;
    EXPECT_EQ(run(onPlayer).outcome, ExportOutcome::DestinationOnPlayer);
    EXPECT_EQ(player.snapshot(), playerBefore);
    EXPECT_FALSE(QFileInfo::exists(onPlayer.destination));
}

TEST_F(ExportJobTest, OnlyTaggedSongsFollowTheGridRowsInTheirPresentOrder)
{
    for (int i = 0; i < 3; ++i)
        addSong(u"S%1"_s.arg(i), u"A"_s, u"X"_s, i + 1);
    // The grid sorted backwards: row 1 holds the last song.
    GridModel grid;
    fillGrid(
        grid,
        {{u"S2"_s, songs[2].location, true}, {u"S1"_s, songs[1].location, false}, {u"S0"_s, songs[0].location, true}});
    const ExportLibrary lib = library();
    EXPECT_EQ(taggedSongs(grid, lib), (std::vector<bool>{true, false, true}));
}

TEST_F(ExportJobTest, FillTagsWritesMissingTagsIntoTheCopyOnly)
{
    const QString encoded = destination.filePath(u"tone.mp3"_s);
    QProcess encoder;
    encoder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    encoder.start(u"gst-launch-1.0"_s,
                  {u"-q"_s, u"audiotestsrc"_s, u"num-buffers=20"_s, u"!"_s, u"audioconvert"_s, u"!"_s, u"lamemp3enc"_s,
                   u"!"_s, u"filesink"_s, u"location="_s + encoded});
    if (!encoder.waitForFinished(60000) || encoder.exitStatus() != QProcess::NormalExit || encoder.exitCode() != 0)
        GTEST_SKIP() << "cannot encode an MP3";
    const QByteArray tone = readFile(encoded);
    QFile::remove(encoded);

    const qsizetype bare = addSong(u"Bare"_s, u"Artist"_s, u"Album"_s, 4, static_cast<int>(tone.size()));
    const qsizetype titled = addSong(u"Database title"_s, u"Artist"_s, u"Album"_s, 5, static_cast<int>(tone.size()));
    writeBytes(onPlayer(bare), tone);
    writeBytes(onPlayer(titled), tone);
    {
        TagLib::MPEG::File file(QFile::encodeName(onPlayer(titled)).constData());
        file.ID3v2Tag(true)->setTitle("The file's own title");
        ASSERT_TRUE(file.save());
    }
    songs[static_cast<std::size_t>(titled)].size = QFileInfo(onPlayer(titled)).size();
    songs[static_cast<std::size_t>(bare)].genre = u"Jazz"_s;
    songs[static_cast<std::size_t>(bare)].year = 1977;
    const QMap<QString, QByteArray> playerBefore = player.snapshot();

    TagLibFiller tags;
    // An export killed after its first copy: the next one takes that copy,
    // longer than its song by the tags, as there.
    const pid_t killed = ::fork();
    ASSERT_GE(killed, 0);
    if (killed == 0) {
        run({}, &tags, [](const ExportTally &) { ::_exit(0); });
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(killed, &status, 0), killed);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const ExportReport resumed = run({}, &tags);
    ASSERT_EQ(resumed.outcome, ExportOutcome::Done);
    EXPECT_EQ(resumed.tally.alreadyThere, 1);
    EXPECT_EQ(player.snapshot(), playerBefore);

    // Title, artist, album, genre, year and track of a copy's tags.
    const auto tagsOf = [&](const QString &copy) {
        const TagLib::FileRef file(QFile::encodeName(copyOf(copy)).constData());
        if (file.isNull())
            return std::string("no tags");
        const TagLib::Tag &t = *file.tag();
        return t.title().to8Bit(true) + '|' + t.artist().to8Bit(true) + '|' + t.album().to8Bit(true) + '|'
            + t.genre().to8Bit(true) + '|' + std::to_string(t.year()) + '|' + std::to_string(t.track());
    };
    EXPECT_EQ(tagsOf(u"Artist/Album/04 Bare.mp3"_s), "Bare|Artist|Album|Jazz|1977|4");
    EXPECT_EQ(tagsOf(u"Artist/Album/05 Database title.mp3"_s), "The file's own title|Artist|Album||0|5");
    // The copies are longer than their songs now, and still taken as theirs.
    EXPECT_GT(QFileInfo(copyOf(u"Artist/Album/04 Bare.mp3"_s)).size(), tone.size());
    storage.copies = 0;
    const ExportReport again = run({}, &tags);
    EXPECT_EQ(again.tally.alreadyThere, 2);
    EXPECT_EQ(storage.opens(), 0);
    EXPECT_FALSE(QFileInfo::exists(copyOf(u"Artist/Album/04 Bare (2).mp3"_s)));
}

}  // namespace

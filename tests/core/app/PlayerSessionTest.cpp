// The session behind Connect, its progress texts and the window's command line.
#include "core/app/PlayerSession.h"

#include "CopyTestSupport.h"
#include "ItunesDbWriter.h"
#include "ReaderTestSupport.h"
#include "ReportDoubles.h"
#include "core/app/CommandLine.h"
#include "core/app/ConnectProgress.h"
#include "core/common/ProgressSteps.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A player folder holding a database of count songs; returns its bytes.
QByteArray writePlayer(const QString &root, int count)
{
    itdb::Database db;
    for (int i = 0; i < count; ++i)
        db.tracks.push_back({.title = u"Song %1"_s.arg(i),
                             .location = u":iPod_Control:Music:F00:S%1.mp3"_s.arg(i),
                             .album = u"Album"_s,
                             .artist = u"Artist %1"_s.arg(i % 7),
                             .genre = u"Pop"_s,
                             .fileType = u"MPEG audio file"_s,
                             .comment = {},
                             .lengthMs = 1000u * static_cast<std::uint32_t>(i),
                             .trackNumber = static_cast<std::uint32_t>(i % 12)});
    const QByteArray bytes = itdb::write(db);
    writeBytes(root + u"/iPod_Control/iTunes/iTunesDB"_s, bytes);
    return bytes;
}

iPod::PlayerLocator at(const QString &root)
{
    return [root] { return std::optional<QString>(root); };
}

TEST(PlayerSession, ConnectReportsEveryLineABarShowsEachPercentOnceAndOutcomesSayWhatAReadCameTo)
{
    QTemporaryDir player;
    writePlayer(player.path(), 3000);
    PlayerSession session;
    RecordingSink progress;
    bool readBeforeFill = false;
    const auto outcome = session.connect(at(player.path()), progress, [&] {
        readBeforeFill = session.pod().songsstored() == 3000 && session.grid().rows() < 3001;
    });
    ASSERT_EQ(outcome, PlayerSession::Outcome::Complete);
    EXPECT_TRUE(readBeforeFill);
    EXPECT_GT(progress.yields, 3000) << "the read and every line of the fill yield";
    const qint64 lines = session.pod().songList().count();
    ASSERT_EQ(progress.maximum, lines);
    ASSERT_EQ(progress.values.size(), static_cast<std::size_t>(lines) + 1);
    EXPECT_EQ(progress.values.back(), 0);
    EXPECT_EQ(session.grid().rows(), 3001);
    EXPECT_EQ(session.grid().text(3000, GridColumn::Title), u"  Song 2999"_s);

    // A bar fed those values is set once per whole percent, in order, then back to 0.
    std::vector<int> shown;
    ProgressSteps steps([&shown](int value) { shown.push_back(value); }, lines);
    for (const qint64 value : progress.values)
        steps.advance(value);
    ASSERT_EQ(shown.size(), 101u);  // 0 to 99 percent, then 0 at the end
    for (std::size_t i = 0; i + 1 < shown.size(); ++i)
        EXPECT_EQ(static_cast<qint64>(shown[i]) * 100 / lines, static_cast<qint64>(i)) << i;
    EXPECT_EQ(shown.back(), 0);

    // Outcomes say what a read came to.
    const QByteArray whole = writePlayer(player.path(), 5);
    const QString database = player.filePath(u"iPod_Control/iTunes/iTunesDB"_s);

    // Cut inside the fourth track: three whole songs fill the grid.
    writeBytes(database, whole.first(trackOffsets(whole)[3] + 10));
    PlayerSession partial;
    EXPECT_EQ(partial.connect(at(player.path())), PlayerSession::Outcome::Partial);
    EXPECT_TRUE(partial.problem().contains(u"only 3 of 5 songs"_s)) << partial.problem().toStdString();
    EXPECT_EQ(partial.grid().rows(), 4);
    EXPECT_EQ(partial.grid().text(3, GridColumn::Title), u"  Song 2"_s);

    writeBytes(database, QByteArray(4096, 'x'));
    PlayerSession unreadable;
    EXPECT_EQ(unreadable.connect(at(player.path())), PlayerSession::Outcome::Unreadable);
    EXPECT_TRUE(unreadable.problem().contains(u"not a track database"_s)) << unreadable.problem().toStdString();
    EXPECT_EQ(unreadable.grid().rows(), 2);  // the header and one empty row
}

TEST(ProgressTextTest, PhasesInOrderWithHalvesRoundedToEven)
{
    const struct
    {
        int index, total;
        bool loaded;
        const char *text;
    } cases[] = {
        {0, 0, false, "Starting"},
        {1, 8, false, "12%"},
        {3, 8, false, "38%"},
        {199, 200, false, "100%"},
        {250, 250, false, "Sorting"},
        {250, 250, true, "Parsing 250 songs..."},
        {2'000'000'000, 2'100'000'000, true, "95%"},  // no overflow on large counts
    };
    for (const auto &c : cases)
        EXPECT_EQ(progresstext(c.index, c.total, c.loaded), QLatin1String(c.text)) << c.index << '/' << c.total;
}

TEST(CommandLineTest, AcceptsNothingOrOnePlayerFolderAndAsksForHelpAndVersion)
{
    EXPECT_FALSE(parseCommandLine({}).playerRoot.has_value());
    const CommandLine player = parseCommandLine(texts(u"--player|/media/anna/IPOD"));
    EXPECT_TRUE(player.valid);
    EXPECT_EQ(player.playerRoot, u"/media/anna/IPOD"_s);
    EXPECT_FALSE(player.showHelp || player.showVersion);
    for (const char16_t *arguments :
         {u"--player", u"--player|", u"/media/anna/IPOD", u"--player|a|b", u"--player|a|--player|b"}) {
        const CommandLine refused = parseCommandLine(texts(arguments));
        EXPECT_FALSE(refused.valid) << QString::fromUtf16(arguments).toStdString();
        EXPECT_FALSE(refused.errorText.isEmpty());
    }
    EXPECT_TRUE(parseCommandLine(texts(u"--help")).showHelp);
    EXPECT_TRUE(parseCommandLine(texts(u"-h")).showHelp);
    EXPECT_TRUE(parseCommandLine(texts(u"--version")).showVersion);
    // A folder named like an option is still the folder.
    EXPECT_EQ(parseCommandLine(texts(u"--player|--help")).playerRoot, QDir::current().absoluteFilePath(u"--help"_s));

    const QString usage = usageText(u"quillory"_s);
    EXPECT_TRUE(usage.startsWith(u"Usage: quillory [OPTIONS]\n"_s));
    for (const QString &option : texts(u"--player <DIR>|--help|--version"))
        EXPECT_TRUE(usage.contains(option)) << option.toStdString();
}

}  // namespace

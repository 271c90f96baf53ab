#include "CopyTestSupport.h"

#include "common/AppInfo.h"
#include "copy/CopyStorage.h"
#include "copy/SafeFileName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString errorText = QStringLiteral("Error Copying File. Check source file validity!");

// Passes jobs on to the real storage and records them.
class RecordingStorage : public CopyStorage
{
public:
    CopyStorageResult copyToStorage(const CopyJob &job) override
    {
        jobs.push_back(job);
        if (beforeCopy)
            beforeCopy(static_cast<int>(jobs.size()));
        return real.copyToStorage(job);
    }
    std::vector<CopyJob> jobs;
    std::function<void(int)> beforeCopy;
    FileCopyStorage real;
};

class CopyFilesTest : public ::testing::Test
{
protected:
    CopyReport run(const QString &destination)
    {
        return copyfiles({grid, player.root(), destination, messages, storage, progress, [this] { ++yields; }});
    }
    CopyReport run() { return run(target.path()); }

    QStringList targetFiles() const
    {
        return QDir(target.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QByteArray copied(const QString &name) const { return readFile(target.filePath(name)); }

    PlayerFolder player;
    QTemporaryDir target;
    GridModel grid;
    ScriptedMessages messages;
    RecordingStorage storage;
    RecordingProgress progress;
    int yields = 0;
};

TEST_F(CopyFilesTest, NothingTaggedCopiesNothing)
{
    const QString a = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 100);
    fillGrid(grid, {{QStringLiteral("One"), a, false}, {QStringLiteral("Two"), a, false}});
    grid.setBackColor(1, 1, GridColors::TagMark);  // only column 0 carries the tag
    const CopyReport report = run();
    EXPECT_EQ(report.outcome, CopyOutcome::NothingTagged);
    EXPECT_FALSE(copyButtonEnabledAfter(report.outcome));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Nothing to copy!"));
    EXPECT_EQ(messages.shown[0].title, appTitle());
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(storage.jobs.empty());
    EXPECT_TRUE(progress.values.empty());
}

TEST_F(CopyFilesTest, CancelAtTheCountQuestion)
{
    const QString a = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 100);
    fillGrid(grid, {{QStringLiteral("One"), a, true}, {QStringLiteral("Two"), a, false}, {QStringLiteral("Three"), a, true}});
    messages.answers = {MessageAnswer::Cancel};
    const CopyReport report = run();
    EXPECT_EQ(report.outcome, CopyOutcome::Cancelled);
    EXPECT_TRUE(copyButtonEnabledAfter(report.outcome));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral(" 2 Files to Copy!"));
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(storage.jobs.empty());
    EXPECT_TRUE(progress.values.empty());
    EXPECT_TRUE(targetFiles().isEmpty());
}

TEST_F(CopyFilesTest, RefusesDestinationsOnThePlayer)
{
    const QString a = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 100);
    fillGrid(grid, {{QStringLiteral("One"), a, true}});
    const auto before = player.snapshot();
    const QString inside[] = {
        player.root(),
        player.root() + QStringLiteral("/"),
        player.root() + QStringLiteral("/iPod_Control/Music"),
        player.root() + QStringLiteral("/iPod_Control/Music/../../iPod_Control"),
        player.root() + QStringLiteral("/New Folder"),  // not there yet
    };
    for (const QString &destination : inside) {
        messages.shown.clear();
        const CopyReport report = run(destination);
        EXPECT_EQ(report.outcome, CopyOutcome::DestinationOnPlayer) << destination.toStdString();
        EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral(" 1 Files to Copy!"), QStringLiteral("Can't copy to iPod..")}));
    }
    // A link to the player is the player.
    const QString link = target.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(player.root() + QStringLiteral("/iPod_Control"), link));
    EXPECT_EQ(run(link).outcome, CopyOutcome::DestinationOnPlayer);
    EXPECT_FALSE(copyButtonEnabledAfter(CopyOutcome::DestinationOnPlayer));
    // A sibling whose name starts like the root is not on the player.
    EXPECT_FALSE(liesOnPlayer(player.root() + QStringLiteral("x"), player.root()));

    EXPECT_TRUE(storage.jobs.empty());
    EXPECT_EQ(player.snapshot(), before);

    messages.shown.clear();
    const CopyReport blank = run(QStringLiteral("   "));
    EXPECT_EQ(blank.outcome, CopyOutcome::NoDestination);
    EXPECT_FALSE(copyButtonEnabledAfter(blank.outcome));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral(" 1 Files to Copy!")});
}

TEST_F(CopyFilesTest, FullCopyIsByteForByteAndLeavesThePlayerAlone)
{
    const QString a = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 70000);
    const QString b = player.addSong(QStringLiteral("F01"), QStringLiteral("XYZW.mp3"), 1234);
    const QString c = player.addSong(QStringLiteral("F02"), QStringLiteral("CCCC.aiff"), 4096);
    const QString d = player.addSong(QStringLiteral("F03"), QStringLiteral("DDDD.MP3"), 999);
    const QString e = player.addSong(QStringLiteral("F03"), QStringLiteral("EEEE.mp3"), 10);
    fillGrid(grid, {{QStringLiteral("Same"), a, true},
                    {QStringLiteral("Rock/Roll: Live?"), b, true},
                    {QStringLiteral("Untagged"), e, false},
                    {QStringLiteral("Deep"), c, true},
                    {QStringLiteral("same"), d, false},
                    {QStringLiteral("SAME"), e, true}});
    grid.setText(5, 7, grid.text(5, 7).toLower());  // the player's file names differ in case
    grid.setBackColor(5, 0, GridColors::TagMark);
    // A file of the folder that the copy overwrites.
    QFile old(target.filePath(QStringLiteral("Deepaiff")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();
    const auto before = player.snapshot();

    const CopyReport report = run();

    ASSERT_EQ(report.outcome, CopyOutcome::Done);
    EXPECT_TRUE(copyButtonEnabledAfter(report.outcome));
    EXPECT_EQ(report.copied, 5);
    EXPECT_EQ(report.renamed, 1);
    EXPECT_EQ(targetFiles(), (QStringList{QStringLiteral("Deepaiff"), QStringLiteral("Rock_Roll_ Live_.mp3"),
                                          QStringLiteral("SAME (3).mp3"), QStringLiteral("Same.mp3"),
                                          QStringLiteral("same (2).mp3")}));
    EXPECT_EQ(copied(QStringLiteral("Same.mp3")), player.bytes(a));
    EXPECT_EQ(copied(QStringLiteral("Rock_Roll_ Live_.mp3")), player.bytes(b));
    EXPECT_EQ(copied(QStringLiteral("Deepaiff")), player.bytes(c));
    EXPECT_EQ(copied(QStringLiteral("same (2).mp3")), player.bytes(d));
    EXPECT_EQ(copied(QStringLiteral("SAME (3).mp3")), player.bytes(e));
    EXPECT_EQ(player.snapshot(), before);

    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral(" 5 Files to Copy!"), renamedFilesMessage(1)}));
    EXPECT_EQ(progress.min, 0);
    EXPECT_EQ(progress.max, 5);
    EXPECT_EQ(progress.values, (std::vector<float>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(progress.status, QStringLiteral("Copying Done...! "));
    EXPECT_EQ(yields, 6);  // once per row, tagged or not
    EXPECT_EQ(grid.row(), 6);
    EXPECT_EQ(grid.col(), 7);
}

TEST_F(CopyFilesTest, MissingSourceEndsTheCopy)
{
    const QString a = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 20000);
    const QString b = player.addSong(QStringLiteral("F00"), QStringLiteral("BBBB.mp3"), 300);
    fillGrid(grid, {{QStringLiteral("First?"), a, true},
                    {QStringLiteral("Gone"), QStringLiteral("\\iPod_Control\\Music\\F09\\NONE.mp3"), true},
                    {QStringLiteral("Last"), b, true}});
    progress.status = QStringLiteral("Copy to: x");

    const CopyReport report = run();

    EXPECT_EQ(report.outcome, CopyOutcome::Failed);
    EXPECT_TRUE(copyButtonEnabledAfter(report.outcome));
    EXPECT_EQ(report.copied, 1);
    EXPECT_EQ(report.renamed, 0);
    EXPECT_FALSE(report.errorText.isEmpty());
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral(" 3 Files to Copy!"), errorText}));
    EXPECT_EQ(storage.jobs.size(), 2u);  // the last row was not tried
    EXPECT_EQ(targetFiles(), QStringList{QStringLiteral("First_.mp3")});
    EXPECT_EQ(copied(QStringLiteral("First_.mp3")), player.bytes(a));
    EXPECT_EQ(progress.values.back(), 0);
    EXPECT_EQ(progress.status, QStringLiteral("Copying files...Please wait till copying is finished..."));
}

TEST_F(CopyFilesTest, UnwritableNameFailsWithoutPartialFile)
{
    const QString a = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 20000);
    // Too long for a file name once copied.
    fillGrid(grid, {{QString(300, QLatin1Char('x')), a, true}});
    EXPECT_EQ(run().outcome, CopyOutcome::Failed);
    EXPECT_EQ(messages.texts().last(), errorText);
    EXPECT_TRUE(targetFiles().isEmpty());
}

TEST_F(CopyFilesTest, TagsChangedDuringTheCopyCount)
{
    QStringList songs;
    for (int i = 0; i < 4; ++i)
        songs << player.addSong(QStringLiteral("F00"), QStringLiteral("S%1.mp3").arg(i), 100 + i);
    fillGrid(grid, {{QStringLiteral("A"), songs[0], true},
                    {QStringLiteral("B"), songs[1], true},
                    {QStringLiteral("C"), songs[2], false},
                    {QStringLiteral("D"), songs[3], false}});
    // While the first file is copied the user untags B and tags C and D.
    storage.beforeCopy = [this](int n) {
        if (n == 1) {
            grid.setBackColor(2, 0, GridColors::White);
            grid.setBackColor(3, 0, GridColors::TagMark);
            grid.setBackColor(4, 0, GridColors::TagMark);
        }
    };
    const CopyReport report = run();
    EXPECT_EQ(report.outcome, CopyOutcome::Done);
    EXPECT_EQ(targetFiles(), (QStringList{QStringLiteral("A.mp3"), QStringLiteral("C.mp3"), QStringLiteral("D.mp3")}));
    // Three copies against a count of two: the maximum grows with the value.
    EXPECT_EQ(progress.max, 3);
    EXPECT_EQ(progress.values, (std::vector<float>{0, 1, 2, 3, 0}));
}

}  // namespace

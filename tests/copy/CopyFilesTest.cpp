#include "CopyTestSupport.h"

#include "../common/TestStrings.h"

#include "common/AppInfo.h"
#include "copy/SafeFileName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString errorText = u"Error Copying File. Check source file validity!"_s;

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
    QString addSong(const char *name, int size) { return player.addSong(u"F00"_s, QString::fromLatin1(name), size); }

    PlayerFolder player;
    QTemporaryDir target;
    GridModel grid;
    ScriptedMessages messages;
    SteppingStorage storage;
    RecordingProgress progress;
    int yields = 0;
};

TEST_F(CopyFilesTest, NothingTaggedOrCancelledCopiesNothing)
{
    const QString a = addSong("AAAA.mp3", 100);
    fillGrid(grid, {{u"One"_s, a, false}, {u"Two"_s, a, false}, {u"Three"_s, a, false}});
    grid.setBackColor(1, 1, GridColors::TagMark);  // only column 0 carries the tag
    CopyReport report = run();
    EXPECT_EQ(report.outcome, CopyOutcome::NothingTagged);
    EXPECT_FALSE(copyButtonEnabledAfter(report.outcome));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"Nothing to copy!"_s);
    EXPECT_EQ(messages.shown[0].title, appTitle());
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);

    grid.setBackColor(1, 0, GridColors::TagMark);
    grid.setBackColor(3, 0, GridColors::TagMark);
    messages.answers = {MessageAnswer::Cancel};
    report = run();
    EXPECT_EQ(report.outcome, CopyOutcome::Cancelled);
    EXPECT_TRUE(copyButtonEnabledAfter(report.outcome));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, u" 2 Files to Copy!"_s);
    EXPECT_EQ(messages.shown[1].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(storage.jobs.empty());
    EXPECT_TRUE(progress.values.empty());
    EXPECT_TRUE(targetFiles().isEmpty());
}

TEST_F(CopyFilesTest, RefusesDestinationsOnThePlayer)
{
    fillGrid(grid, {{u"One"_s, addSong("AAAA.mp3", 100), true}});
    const auto before = player.snapshot();
    const QString link = target.filePath(u"link"_s);  // a link to the player is the player
    ASSERT_TRUE(QFile::link(player.root() + u"/iPod_Control"_s, link));
    const QString root = player.root();
    for (const QString &destination : {root, root + u"/"_s, root + u"/iPod_Control/Music"_s,
                                       root + u"/iPod_Control/Music/../../iPod_Control"_s,
                                       root + u"/New Folder"_s /* not there yet */, link}) {
        messages.shown.clear();
        const CopyReport report = run(destination);
        EXPECT_EQ(report.outcome, CopyOutcome::DestinationOnPlayer) << destination.toStdString();
        EXPECT_EQ(messages.texts(), texts(u" 1 Files to Copy!|Can't copy to iPod.."));
    }
    EXPECT_FALSE(copyButtonEnabledAfter(CopyOutcome::DestinationOnPlayer));
    // A sibling whose name starts like the root is not on the player.
    EXPECT_FALSE(liesOnPlayer(root + u"x"_s, root));
    EXPECT_TRUE(storage.jobs.empty());
    EXPECT_EQ(player.snapshot(), before);

    messages.shown.clear();
    const CopyReport blank = run(u"   "_s);
    EXPECT_EQ(blank.outcome, CopyOutcome::NoDestination);
    EXPECT_FALSE(copyButtonEnabledAfter(blank.outcome));
    EXPECT_EQ(messages.texts(), QStringList{u" 1 Files to Copy!"_s});
}

TEST_F(CopyFilesTest, FullCopyIsByteForByteAndLeavesThePlayerAlone)
{
    const QString a = player.addSong(u"F00"_s, u"AAAA.mp3"_s, 70000);
    const QString b = player.addSong(u"F01"_s, u"XYZW.mp3"_s, 1234);
    const QString c = player.addSong(u"F02"_s, u"CCCC.aiff"_s, 4096);
    const QString d = player.addSong(u"F03"_s, u"DDDD.MP3"_s, 999);
    const QString e = player.addSong(u"F03"_s, u"EEEE.mp3"_s, 10);
    fillGrid(grid, {{u"Same"_s, a, true}, {u"Rock/Roll: Live?"_s, b, true}, {u"Untagged"_s, e, false},
                    {u"Deep"_s, c, true}, {u"same"_s, d, true}, {u"SAME"_s, e, true}});
    grid.setText(5, 7, grid.text(5, 7).toLower());  // the player's file names differ in case
    // A file of the folder that the copy overwrites.
    QFile old(target.filePath(u"Deepaiff"_s));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();
    const auto before = player.snapshot();

    const CopyReport report = run();

    ASSERT_EQ(report.outcome, CopyOutcome::Done);
    EXPECT_TRUE(copyButtonEnabledAfter(report.outcome));
    EXPECT_EQ(report.copied, 5);
    EXPECT_EQ(report.renamed, 1);
    const QStringList names = texts(u"Same.mp3|Rock_Roll_ Live_.mp3|Deepaiff|same (2).mp3|SAME (3).mp3");
    const QString sources[] = {a, b, c, d, e};
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(targetFiles(), sorted);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(copied(names[i]), player.bytes(sources[i])) << names[i].toStdString();
    EXPECT_EQ(player.snapshot(), before);

    EXPECT_EQ(messages.texts(), (QStringList{u" 5 Files to Copy!"_s, renamedFilesMessage(1)}));
    EXPECT_EQ(progress.min, 0);
    EXPECT_EQ(progress.max, 5);
    EXPECT_EQ(progress.values, (std::vector<float>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(progress.status, u"Copying Done...! "_s);
    EXPECT_EQ(yields, 6);  // once per row, tagged or not
    EXPECT_EQ(grid.row(), 6);
    EXPECT_EQ(grid.col(), 7);
}

TEST_F(CopyFilesTest, FailuresEndTheCopyWithoutPartialFiles)
{
    const QString a = addSong("AAAA.mp3", 20000);
    fillGrid(grid, {{u"First?"_s, a, true},
                    {u"Gone"_s, u"\\iPod_Control\\Music\\F09\\NONE.mp3"_s, true},
                    {u"Last"_s, addSong("BBBB.mp3", 300), true}});
    progress.status = u"Copy to: x"_s;

    CopyReport report = run();
    EXPECT_EQ(report.outcome, CopyOutcome::Failed);
    EXPECT_TRUE(copyButtonEnabledAfter(report.outcome));
    EXPECT_EQ(report.copied, 1);
    EXPECT_EQ(report.renamed, 0);
    EXPECT_FALSE(report.errorText.isEmpty());
    EXPECT_EQ(messages.texts(), (QStringList{u" 3 Files to Copy!"_s, errorText}));
    EXPECT_EQ(storage.jobs.size(), 2u);  // the last row was not tried
    EXPECT_EQ(targetFiles(), QStringList{u"First_.mp3"_s});
    EXPECT_EQ(copied(u"First_.mp3"_s), player.bytes(a));
    EXPECT_EQ(progress.values.back(), 0);
    EXPECT_EQ(progress.status, u"Copying files...Please wait till copying is finished..."_s);

    // A name too long for a file once copied.
    QTemporaryDir other;
    fillGrid(grid, {{QString(300, u'x'), a, true}});
    EXPECT_EQ(run(other.path()).outcome, CopyOutcome::Failed);
    EXPECT_EQ(messages.texts().last(), errorText);
    EXPECT_TRUE(QDir(other.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(CopyFilesTest, TagsChangedDuringTheCopyCount)
{
    QStringList songs;
    for (int i = 0; i < 4; ++i)
        songs << player.addSong(u"F00"_s, u"S%1.mp3"_s.arg(i), 100 + i);
    fillGrid(grid, {{u"A"_s, songs[0], true}, {u"B"_s, songs[1], true}, {u"C"_s, songs[2], false},
                    {u"D"_s, songs[3], false}});
    // While the first file is copied the user untags B and tags C and D.
    storage.beforeCopy = [this](int n) {
        if (n == 1) {
            grid.setBackColor(2, 0, GridColors::White);
            grid.setBackColor(3, 0, GridColors::TagMark);
            grid.setBackColor(4, 0, GridColors::TagMark);
        }
    };
    EXPECT_EQ(run().outcome, CopyOutcome::Done);
    EXPECT_EQ(targetFiles(), texts(u"A.mp3|C.mp3|D.mp3"));
    // Three copies against a count of two: the maximum grows with the value.
    EXPECT_EQ(progress.max, 3);
    EXPECT_EQ(progress.values, (std::vector<float>{0, 1, 2, 3, 0}));
}

}  // namespace

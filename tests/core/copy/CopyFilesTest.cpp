#include "CopyTestSupport.h"
#include "ReportDoubles.h"

#include "core/common/RegularFile.h"
#include "core/copy/SafeFileName.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Names: the title and the file's extension, characters that file systems
// refuse replaced, blanks trimmed from the whole; a blank title takes the
// name of the song's own file.
TEST(SafeFileName, NameFromTitleAndExtensionNumberedBeforeItWhenTaken)
{
    for (const auto &[title, file, name, renamed] :
         {std::tuple{u"  Rock/Roll: Live?", u"  \\iPod_Control\\Music\\F01\\XYZW.mp3", u"Rock_Roll_ Live_.mp3", true},
          {u"    Song  ", u"  \\iPod_Control\\Music\\F00\\ABCD.mp3", u"Song  .mp3", false},
          {u"  Tune", u"  \\iPod_Control\\Music\\F02\\ABCD.aiff", u"Tuneaiff", false},
          {u"  [1]=a+b<c>;d,\"e\\f\tg\x7f", u"  \\x.mp3", u"_1__a_b_c__d__e_f_g_.mp3", true},
          {u"  Ünïcode ♫ & co.", u"  \\x.mp3", u"Ünïcode ♫ & co..mp3", false},
          {u"", u"  \\iPod_Control\\Music\\F00\\ABCD.mp3", u"ABCD.mp3", false},
          {u"  ", u"  \\iPod_Control\\Music\\F00\\A:B?.mp3", u"A_B_.mp3", true},
          // No file can be named "", "." or "..".
          {u"", u"  \\iPod_Control\\Music\\..", u"Song", false},
          {u"  .", u"", u"Song", false}}) {
        const SafeName safe = safeFileName(QString::fromUtf16(title), QString::fromUtf16(file));
        EXPECT_EQ(safe.name, QString::fromUtf16(name));
        EXPECT_EQ(safe.renamed, renamed) << safe.name.toStdString();
    }
    for (const auto &[folder, expected] : {std::pair{u"/home/anna/Music", u"/home/anna/Music/"},
                                           {u"/home/anna/Music/", u"/home/anna/Music/"},
                                           {u" /tmp ", u"/tmp/"}})
        EXPECT_EQ(destinationFolder(QString::fromUtf16(folder)), QString::fromUtf16(expected));

    // Title and file cell of each song in turn, and the name it gets.
    const std::tuple<const char16_t *, const char16_t *, const char16_t *> claims[] = {
        {u"Song", u"\\F00\\A.mp3", u"Song.mp3"},
        {u"Song", u"\\F00\\B.mp3", u"Song (2).mp3"},
        // Case does not make names different: the disk may not tell them apart.
        {u"SONG", u"\\F00\\C.MP3", u"SONG (3).MP3"},
        // A numbered name already taken by a song of that title is skipped.
        {u"Other (2)", u"\\F00\\D.mp3", u"Other (2).mp3"},
        {u"Other", u"\\F00\\E.mp3", u"Other.mp3"},
        {u"Other", u"\\F00\\F.mp3", u"Other (3).mp3"},
        // Four letters without a dot are the extension too.
        {u"Tune", u"\\F00\\G.aiff", u"Tuneaiff"},
        {u"Tune", u"\\F00\\H.aiff", u"Tune (2)aiff"},
        // Blank titles: the song files' own names, numbered before their extension.
        {u"", u"\\F00\\ABCD.mp3", u"ABCD.mp3"},
        {u"  ", u"\\F01\\ABCD.mp3", u"ABCD (2).mp3"},
        {u"", u"\\F04\\.hidden", u".hidden"},
        {u"", u"\\F05\\.hidden", u".hidden (2)"},
    };
    DestinationNames names;
    for (const auto &[title, file, claimed] : claims) {
        const SafeName safe = safeFileName(QStringLiteral("  ") + QString::fromUtf16(title),
                                           QStringLiteral("  ") + QString::fromUtf16(file));
        EXPECT_EQ(names.claim(safe), QString::fromUtf16(claimed));
    }
}

// Names longer than the file system takes are cut before the extension and
// the number, on a character boundary, to the limit in UTF-8 bytes.
TEST(SafeFileName, LongNamesAreCutToTheLimitOnCharacterBoundaries)
{
    const auto claim = [](DestinationNames &names, const QString &title) {
        return names.claim(safeFileName(title, u"  \\F00\\ABCD.mp3"_s));
    };
    DestinationNames names(255);
    // 130 × "é" is 260 bytes: 125 of them and ".mp3" make 254, a 126th would make 256.
    EXPECT_EQ(claim(names, QString(130, u'é')), QString(125, u'é') + u".mp3"_s);
    EXPECT_EQ(claim(names, QString(130, u'é')), QString(123, u'é') + u" (2).mp3"_s);
    EXPECT_EQ(claim(names, QString(300, u'x')), QString(251, u'x') + u".mp3"_s);
    // A letter with a combining accent (3 bytes) and a note outside the
    // basic plane (4 bytes, two UTF-16 units) are never split.
    EXPECT_EQ(claim(names, u"e\u0301"_s.repeated(100)), u"e\u0301"_s.repeated(83) + u".mp3"_s);
    EXPECT_EQ(claim(names, u"\U0001F3B5"_s.repeated(70)), u"\U0001F3B5"_s.repeated(62) + u".mp3"_s);
    EXPECT_EQ(claim(names, u"a\U0001F3B5"_s.repeated(60)), u"a\U0001F3B5"_s.repeated(50) + u"a.mp3"_s);
    // Names that fit are left alone.
    EXPECT_EQ(claim(names, QString(251, u'y')), QString(251, u'y') + u".mp3"_s);

    // Cutting can make two names equal: the second is numbered.
    DestinationNames small(12);
    EXPECT_EQ(claim(small, u"Abcdefghij"_s), u"Abcdefgh.mp3"_s);
    EXPECT_EQ(claim(small, u"Abcdefghik"_s), u"Abcd (2).mp3"_s);
}

class CopyFilesTest : public ::testing::Test
{
protected:
    CopyReport run(const QString &destination)
    {
        return copyfiles({grid, player.root(), destination, messages, storage, progress});
    }
    CopyReport run() { return run(target.path()); }
    QString addSong(const char *name, int size) { return player.addSong(u"F00"_s, QString::fromLatin1(name), size); }

    PlayerFolder player;
    QTemporaryDir target;
    GridModel grid;
    ScriptedMessages messages;
    SteppingStorage storage;
    RecordingSink progress;
};

TEST_F(CopyFilesTest, RefusalsCopyNothing)
{
    const QString a = addSong("AAAA.mp3", 100);
    fillGrid(grid, {{u"One"_s, a, false}, {u"Two"_s, a, false}});
    grid.setBackColor(1, 1, GridColors::TagMark);  // only column 0 carries the tag
    EXPECT_EQ(run().outcome, CopyOutcome::NothingTagged);
    grid.setBackColor(2, 0, GridColors::TagMark);
    messages.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(run().outcome, CopyOutcome::Cancelled);
    EXPECT_EQ(messages.shown[1].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(run(u"   "_s).outcome, CopyOutcome::NoDestination);
    EXPECT_EQ(messages.texts(), texts(u"Nothing to copy!| 1 Files to Copy!| 1 Files to Copy!"));

    messages.shown.clear();
    EXPECT_EQ(run(player.root() + u"/New Folder"_s).outcome, CopyOutcome::DestinationOnPlayer);
    EXPECT_EQ(messages.texts(), texts(u" 1 Files to Copy!|Can't copy to iPod.."));
    EXPECT_TRUE(storage.jobs.empty());
}

TEST_F(CopyFilesTest, FullCopyIsByteForByteAndLeavesThePlayerAlone)
{
    const QString a = player.addSong(u"F00"_s, u"AAAA.mp3"_s, (3 << 20) + 17);  // several buffers and a rest
    const QString b = player.addSong(u"F01"_s, u"XYZW.mp3"_s, 1234);
    const QString c = player.addSong(u"F02"_s, u"CCCC.aiff"_s, 4096);
    const QString d = player.addSong(u"F03"_s, u"DDDD.MP3"_s, 999);
    const QString e = player.addSong(u"F03"_s, u"EEEE.mp3"_s, 0);
    fillGrid(grid,
             {{u"Same"_s, a, true},
              {u"Rock/Roll: Live?"_s, b, true},
              {u"Untagged"_s, e, false},
              {u"Deep"_s, c, true},
              {u"same"_s, d, true},
              {u"SAME"_s, e, true}});
    grid.setText(5, 7, grid.text(5, 7).toLower());  // the player's file names differ in case
    // The user's files stay: one of other bytes keeps its name, one of the song's bytes is its copy.
    const QByteArray users(8000, 'x');
    writeBytes(target.filePath(u"Deepaiff"_s), users);
    writeBytes(target.filePath(u"Rock_Roll_ Live_.mp3"_s), player.bytes(b));
    // A partial file that a killed copy left goes; one that a running copy holds locked stays.
    const QString stale = target.filePath(u".quillory-0123456789abcdef.part"_s);
    const QString held = target.filePath(u".quillory-fedcba9876543210.part"_s);
    writeBytes(stale, "partial");
    writeBytes(held, "partial");
    const FileDescriptor lock(::open(QFile::encodeName(held).constData(), O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(::flock(lock.get(), LOCK_EX), 0);
    const auto before = player.snapshot();

    ASSERT_EQ(run().outcome, CopyOutcome::Done);
    const QStringList names = texts(u"Same.mp3|Rock_Roll_ Live_.mp3|Deep (2)aiff|same (2).mp3|SAME (3).mp3");
    const QString sources[] = {a, b, c, d, e};
    EXPECT_EQ(entriesIn(target.path()),
              texts(u".quillory-fedcba9876543210.part|Deep (2)aiff|Deepaiff|"
                    u"Rock_Roll_ Live_.mp3|SAME (3).mp3|Same.mp3|same (2).mp3"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(readFile(target.filePath(names[i])), player.bytes(sources[i])) << names[i].toStdString();
    EXPECT_EQ(readFile(target.filePath(u"Deepaiff"_s)), users);
    EXPECT_EQ(storage.jobs.size(), 4u) << "the song already there is not copied again";
    EXPECT_EQ(player.snapshot(), before);
    EXPECT_EQ(messages.texts(), (QStringList{u" 5 Files to Copy!"_s, renamedFilesMessage(1)}));
    EXPECT_EQ(progress.maximum, 5);
    EXPECT_EQ(progress.values, (std::vector<qint64>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(progress.statuses.last(), u"Copying Done...! "_s);
    EXPECT_EQ(std::pair(grid.row(), grid.col()), std::pair(6, 7));
}

}  // namespace

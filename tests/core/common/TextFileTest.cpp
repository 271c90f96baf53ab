// Bounded reading of text files and the resolution of stored locations on the player.
#include "core/common/TextFile.h"
#include "core/common/PlayerPath.h"
#include "core/common/RegularFile.h"

#include "CopyTestSupport.h"
#include "SpecialFiles.h"
#include "TestStrings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::StringLiterals;

namespace {

TEST(TextFile, LinesEndAtCrOrCrLfNotLfBytesAreUtf8OrLatin1AndTheFirstLineIsDecodedAlone)
{
    EXPECT_EQ(TextFile::splitLines(QStringLiteral("a\rb\r\nc\nd\r\r\ne\r\n")), texts(u"a|b|c\nd||e"));
    EXPECT_TRUE(TextFile::splitLines(QString()).isEmpty());
    EXPECT_EQ(TextFile::decode(QByteArray("Caf\xC3\xA9")), QStringLiteral("Café"));
    EXPECT_EQ(TextFile::decode(QByteArray("\xC3\xA9 and \xE9")), QString::fromLatin1("\xC3\xA9 and \xE9"));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"sysinfo"_s);
    // Latin-1 bytes after the first line do not turn its UTF-8 into Latin-1.
    writeBytes(path, "Caf\xC3\xA9\rna\xEFve\r");
    EXPECT_EQ(TextFile::readFirstLine(path), u"Café"_s);
    writeBytes(path, "\r\nsecond");
    EXPECT_EQ(TextFile::readFirstLine(path), QString());
    writeBytes(path, "");
    EXPECT_EQ(TextFile::readFirstLine(path), std::nullopt);
    EXPECT_EQ(TextFile::readLines(path), QStringList());
    EXPECT_EQ(TextFile::readFirstLine(dir.filePath(u"missing"_s)), std::nullopt);
}

// A FIFO, a link to a device and a folder are refused at once: nothing waits
// for a writer and nothing reads without end.
TEST(TextFile, SpecialFilesAreRefusedWithoutWaitingAndOversizedOnesReadUpToTheirBound)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"special"_s);
    const HangWatch watch;
    for (const SpecialFile kind : allSpecialFiles) {
        SCOPED_TRACE(specialFileName(kind));
        makeSpecialFile(kind, path);
        EXPECT_EQ(TextFile::readFirstLine(path), std::nullopt);
        EXPECT_EQ(TextFile::readLines(path), std::nullopt);
        EXPECT_FALSE(openRegularFile(path).isOpen());
        EXPECT_EQ(errno, EINVAL);
    }
    // A link to a regular file is that file.
    writeBytes(dir.filePath(u"real"_s), "line\r");
    ASSERT_TRUE(QFile::link(dir.filePath(u"real"_s), dir.filePath(u"link"_s)));
    EXPECT_EQ(TextFile::readFirstLine(dir.filePath(u"link"_s)), u"line"_s);

    // Oversized files are read only up to their bound.
    const QString big = dir.filePath(u"big"_s);

    // One line of 3 MB: the first line is cut at the bound.
    writeBytes(big, QByteArray(3 << 20, 'a'));
    EXPECT_EQ(TextFile::readFirstLine(big), QString(TextFile::firstLineBound, u'a'));
    bool cut = false;
    EXPECT_EQ(readRegularFile(big, 10, &cut), QByteArray(10, 'a'));
    EXPECT_TRUE(cut);
    EXPECT_EQ(readRegularFile(big, 3 << 20, &cut)->size(), 3 << 20);
    EXPECT_FALSE(cut) << "a file exactly as long as the bound is whole";

    // Many lines: only those within the bound are read.
    QByteArray lines;
    for (int i = 0; lines.size() <= TextFile::wholeFileBound; ++i)
        lines += "line " + QByteArray::number(i) + "\r\n";
    writeBytes(big, lines);
    const std::optional<QStringList> read = TextFile::readLines(big);
    ASSERT_TRUE(read);
    const QByteArray within = lines.left(TextFile::wholeFileBound);
    EXPECT_EQ(read->size(), within.count("\r\n") + (within.endsWith("\r\n") ? 0 : 1));
    EXPECT_EQ(read->constFirst(), u"line 0"_s);

    // A cut inside a UTF-8 character leaves the text UTF-8: the broken
    // character goes, and nothing turns into Latin-1.
    writeBytes(big, QByteArray(TextFile::firstLineBound - 1, 'x') + "\xC3\xA9 and more");
    EXPECT_EQ(TextFile::readFirstLine(big), QString(TextFile::firstLineBound - 1, u'x'));
    writeBytes(big, "\xC3\xA9" + QByteArray(TextFile::firstLineBound - 3, 'x') + "\xE2\x99\xAB");
    EXPECT_EQ(TextFile::readFirstLine(big), u"é"_s + QString(TextFile::firstLineBound - 3, u'x'));
}

// Each component matched without regard to case, files only; locations of
// many parts resolve or give up beyond the path limit.
TEST(PlayerPath, ResolvesComponentsWithoutRegardToCaseAndGivesUpBeyondThePathLimit)
{
    QTemporaryDir root;
    const QString song = root.filePath(u"IPOD_CONTROL/Music/F01/ABCD.MP3"_s);
    writeBytes(song, {});
    EXPECT_EQ(playerPath(root.path() + u'/', u"\\ipod_control\\MUSIC\\f01\\abcd.mp3"_s), song);
    EXPECT_FALSE(fileexists(playerPath(root.path(), u"\\ipod_control\\music"_s))) << "a folder is no file";
    EXPECT_EQ(playerPath(root.path(), u"\\..\\..\\IPOD_CONTROL\\.\\Music\\F01\\ABCD.MP3"_s), song)
        << "a stored location stays below the root";
    // What does not exist is kept as written, from the first missing part on.
    EXPECT_EQ(playerPath(root.path(), u"\\ipod_control\\Gone\\music\\x.mp3"_s),
              root.filePath(u"IPOD_CONTROL/Gone/music/x.mp3"_s));
    EXPECT_EQ(playerPath(u"/"_s, u"\\tmp"_s), u"/tmp"_s);
    EXPECT_EQ(playerPath(root.path(), u"\\IPOD_CONTROL\\Music\\F01\\ABCD.MP3"_s + QChar(0) + u"x"_s), QString())
        << "a NUL names no file";

    // Hostile locations: 100,000 parts, far beyond any real path.
    constexpr int parts = 100'000;
    // Parts that lead nowhere are dropped: the song is still found.
    QString location;
    for (int i = 0; i < parts; ++i)
        location += (i % 3 == 0) ? u"\\."_s : (i % 3 == 1) ? u"\\.."_s : u"\\"_s;
    EXPECT_EQ(playerPath(root.path(), location + u"\\ipod_control\\music\\F01\\abcd.mp3"_s), song);

    // Real parts: the path passes PATH_MAX and names no file.
    EXPECT_EQ(playerPath(root.path(), u"\\IPOD_CONTROL"_s.repeated(parts)), QString());
    EXPECT_EQ(playerPath(root.path(), u"\\x"_s.repeated(parts)), QString());

    // A path of PATH_MAX - 1 bytes is given; one byte more and it names no file.
    const qsizetype room = PATH_MAX - 1 - QFile::encodeName(root.path()).size();
    const QString start = u"\\x"_s.repeated(100);
    const QString longest = start + u"\\"_s + QString(room - start.size() - 1, u'z');
    EXPECT_EQ(QFile::encodeName(playerPath(root.path(), longest)).size(), PATH_MAX - 1);
    EXPECT_EQ(playerPath(root.path(), longest + u'z'), QString());
}

}  // namespace

#include "core/common/PlayerPath.h"

#include "TestStrings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::StringLiterals;

namespace {

class PlayerPathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath(u"IPOD_CONTROL/Music/F01"_s));
        ASSERT_TRUE(QFile(song).open(QIODevice::WriteOnly));
    }

    QTemporaryDir root;
    const QString song = root.filePath(u"IPOD_CONTROL/Music/F01/ABCD.MP3"_s);
};

TEST_F(PlayerPathTest, MatchesEachComponentWithoutRegardToCaseAndFindsFilesOnly)
{
    EXPECT_EQ(playerPath(root.path() + u'/', u"\\ipod_control\\MUSIC\\f01\\abcd.mp3"_s), song);
    EXPECT_FALSE(fileexists(playerPath(root.path(), u"\\ipod_control\\music"_s))) << "a folder is no file";
    EXPECT_EQ(playerPath(root.path(), u"\\..\\..\\IPOD_CONTROL\\.\\Music\\F01\\ABCD.MP3"_s), song)
        << "a stored location stays below the root";
    // What does not exist is kept as written, from the first missing part on.
    EXPECT_EQ(playerPath(root.path(), u"\\ipod_control\\Gone\\music\\x.mp3"_s),
              root.filePath(u"IPOD_CONTROL/Gone/music/x.mp3"_s));
    EXPECT_EQ(playerPath(u"/"_s, u"\\tmp"_s), u"/tmp"_s);
}

// Hostile locations: 100,000 parts, far beyond any real path.
TEST_F(PlayerPathTest, LocationsOfManyPartsResolveOrGiveUpBeyondThePathLimit)
{
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

TEST_F(PlayerPathTest, ANulInTheLocationNamesNoFile)
{
    EXPECT_EQ(playerPath(root.path(), u"\\IPOD_CONTROL\\Music\\F01\\ABCD.MP3"_s + QChar(0) + u"x"_s), QString());
}

}  // namespace

#include "common/PlayerPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PlayerPathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("IPOD_CONTROL/Music/F01")));
        QFile song(root.filePath(QStringLiteral("IPOD_CONTROL/Music/F01/ABCD.MP3")));
        ASSERT_TRUE(song.open(QIODevice::WriteOnly));
    }
    QTemporaryDir root;
};

TEST_F(PlayerPathTest, MatchesEachComponentWithoutRegardToCase)
{
    const QString expected = root.filePath(QStringLiteral("IPOD_CONTROL/Music/F01/ABCD.MP3"));
    EXPECT_EQ(playerPath(root.path(), QStringLiteral("\\iPod_Control\\Music\\F01\\abcd.mp3")), expected);
    EXPECT_EQ(playerPath(root.path() + u'/', QStringLiteral("\\ipod_control\\MUSIC\\f01\\ABCD.MP3")), expected);
    EXPECT_TRUE(fileexists(playerPath(root.path(), QStringLiteral("\\ipod_control\\music\\f01\\abcd.mp3"))));
}

TEST_F(PlayerPathTest, KeepsComponentsThatMatchNothingAsWritten)
{
    EXPECT_EQ(playerPath(root.path(), QStringLiteral("\\ipod_control\\Photos\\x.jpg")),
              root.filePath(QStringLiteral("IPOD_CONTROL/Photos/x.jpg")));
    EXPECT_FALSE(fileexists(playerPath(root.path(), QStringLiteral("\\ipod_control\\Photos\\x.jpg"))));
}

TEST_F(PlayerPathTest, AFolderIsNoFile)
{
    const QString folder = playerPath(root.path(), QStringLiteral("\\ipod_control\\music"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(fileexists(folder));
}

}  // namespace

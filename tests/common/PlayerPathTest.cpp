#include "common/PlayerPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(PlayerPath, MatchesEachComponentWithoutRegardToCaseAndKeepsTheRestAsWritten)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(u"IPOD_CONTROL/Music/F01"_s));
    const QString song = root.filePath(u"IPOD_CONTROL/Music/F01/ABCD.MP3"_s);
    ASSERT_TRUE(QFile(song).open(QIODevice::WriteOnly));

    EXPECT_EQ(playerPath(root.path(), u"\\iPod_Control\\Music\\F01\\abcd.mp3"_s), song);
    EXPECT_EQ(playerPath(root.path() + u'/', u"\\ipod_control\\MUSIC\\f01\\ABCD.MP3"_s), song);
    EXPECT_TRUE(fileexists(playerPath(root.path(), u"\\ipod_control\\music\\f01\\abcd.mp3"_s)));

    const QString photo = playerPath(root.path(), u"\\ipod_control\\Photos\\x.jpg"_s);
    EXPECT_EQ(photo, root.filePath(u"IPOD_CONTROL/Photos/x.jpg"_s));
    EXPECT_FALSE(fileexists(photo));

    const QString folder = playerPath(root.path(), u"\\ipod_control\\music"_s);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(fileexists(folder)) << "a folder is no file";
}

}  // namespace

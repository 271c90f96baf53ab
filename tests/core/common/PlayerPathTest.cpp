#include "core/common/PlayerPath.h"

#include "TestStrings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PlayerPath, MatchesEachComponentWithoutRegardToCaseAndFindsFilesOnly)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("IPOD_CONTROL/Music/F01")));
    const QString song = root.filePath(QStringLiteral("IPOD_CONTROL/Music/F01/ABCD.MP3"));
    ASSERT_TRUE(QFile(song).open(QIODevice::WriteOnly));
    EXPECT_EQ(playerPath(root.path() + u'/', QStringLiteral("\\ipod_control\\MUSIC\\f01\\abcd.mp3")), song);
    EXPECT_FALSE(fileexists(playerPath(root.path(), QStringLiteral("\\ipod_control\\music")))) << "a folder is no file";
    EXPECT_EQ(playerPath(root.path(), QStringLiteral("\\..\\..\\IPOD_CONTROL\\.\\Music\\F01\\ABCD.MP3")), song)
        << "a stored location stays below the root";
}

}  // namespace

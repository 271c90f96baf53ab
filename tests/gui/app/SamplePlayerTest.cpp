#include "SamplePlayer.h"
#include "core/common/PlayerPath.h"
#include "core/device/iPod.h"
#include "core/photos/PictureFiles.h"
#include "gui/photos/QtImageLoader.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The written player reads back with every track, each song a complete WAV
// file, and every photo a picture.
TEST(SamplePlayerTest, WritesAReadablePlayer)
{
    QTemporaryDir root;
    ASSERT_EQ(sampleplayer::write(root.path()), QString());
    QFile database(playerPath(root.path(), QStringLiteral("\\iPod_Control\\iTunes\\iTunesDB")));
    ASSERT_TRUE(database.open(QIODevice::ReadOnly));
    iPod pod;
    EXPECT_EQ(pod.readDatabase(database.readAll()), iPod::ReadOutcome::Complete);
    const std::vector<itdb::Track> expected = sampleplayer::tracks();
    ASSERT_EQ(pod.songs().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(pod.songs()[i].title, expected[i].title) << i;
        QString location = expected[i].location;
        QFile song(playerPath(root.path(), location.replace(QLatin1Char(':'), QLatin1Char('\\'))));
        ASSERT_TRUE(song.open(QIODevice::ReadOnly)) << qPrintable(song.fileName());
        const QByteArray bytes = song.readAll();
        ASSERT_GT(bytes.size(), 44);
        EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt ");
        EXPECT_EQ(itdb::getU32(bytes, 4), static_cast<std::uint32_t>(bytes.size() - 8));
        EXPECT_EQ(itdb::getU32(bytes, 40), static_cast<std::uint32_t>(bytes.size() - 44));
    }

    // Every listed file but broken.jpg is a picture; the PNG picture is not listed.
    const QDir photos(root.filePath(QStringLiteral("photos")));
    const QStringList listed = listFiles(photos.path(), pictureFilePattern());
    EXPECT_GE(listed.size(), 6);
    EXPECT_TRUE(listed.contains(QStringLiteral("SUNSET.JPG")));
    EXPECT_TRUE(listed.contains(QStringLiteral("broken.jpg")));
    EXPECT_FALSE(listed.contains(QStringLiteral("screen.png")));
    EXPECT_FALSE(QImageReader(photos.filePath(QStringLiteral("screen.png"))).read().isNull());
    for (const QString &name : listed) {
        const QImage picture = QtImageLoader::decode(photos.filePath(name));
        EXPECT_EQ(picture.isNull(), name == QStringLiteral("broken.jpg")) << qPrintable(name);
    }
    // Stored on its side, shown upright.
    const QImage phone = QtImageLoader::decode(photos.filePath(QStringLiteral("PHONE.JPG")));
    EXPECT_GT(phone.width(), phone.height());
}

}  // namespace

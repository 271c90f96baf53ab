#include "SamplePlayer.h"
#include "core/common/PlayerPath.h"
#include "core/device/iPod.h"

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
    ASSERT_EQ(static_cast<std::size_t>(pod.songsstored()), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(pod.song(static_cast<qsizetype>(i)).title, expected[i].title) << i;
        QString location = expected[i].location;
        QFile song(playerPath(root.path(), location.replace(QLatin1Char(':'), QLatin1Char('\\'))));
        ASSERT_TRUE(song.open(QIODevice::ReadOnly)) << qPrintable(song.fileName());
        const QByteArray bytes = song.readAll();
        ASSERT_GT(bytes.size(), 44);
        EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt ");
        EXPECT_EQ(itdb::getU32(bytes, 4), static_cast<std::uint32_t>(bytes.size() - 8));
        EXPECT_EQ(itdb::getU32(bytes, 40), static_cast<std::uint32_t>(bytes.size() - 44));
    }

    const QDir photos(root.filePath(QStringLiteral("photos")));
    const QStringList pictures = photos.entryList(QDir::Files);
    EXPECT_GE(pictures.size(), 4);
    for (const QString &name : pictures)
        EXPECT_FALSE(QImageReader(photos.filePath(name)).read().isNull()) << qPrintable(name);
}

}  // namespace

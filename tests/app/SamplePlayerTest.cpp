#include "SamplePlayer.h"
#include "common/PlayerPath.h"
#include "common/TextFile.h"
#include "device/iPod.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SamplePlayerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        ASSERT_TRUE(folder->isValid());
        ASSERT_EQ(sampleplayer::write(folder->path()), QString());
    }
    static void TearDownTestSuite() { delete std::exchange(folder, nullptr); }

    static QString root() { return folder->path(); }
    static inline QTemporaryDir *folder = nullptr;
};

TEST_F(SamplePlayerTest, DatabaseReadsBackWithEveryTrack)
{
    QFile file(playerPath(root(), QStringLiteral("\\iPod_Control\\iTunes\\iTunesDB")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    iPod pod;
    EXPECT_EQ(pod.readDatabase(file.readAll()), iPod::ReadOutcome::Complete);
    const std::vector<itdb::Track> expected = sampleplayer::tracks();
    ASSERT_GE(expected.size(), 40u);
    ASSERT_EQ(pod.songs().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(pod.songs()[i].title, expected[i].title) << i;
        EXPECT_EQ(pod.songs()[i].artist, expected[i].artist) << i;
    }
}

TEST_F(SamplePlayerTest, TracksCoverTheAwkwardCases)
{
    const std::vector<itdb::Track> list = sampleplayer::tracks();
    auto any = [&list](auto predicate) { return std::any_of(list.begin(), list.end(), predicate); };
    auto titleHas = [&any](char16_t low, char16_t high) {
        return any([=](const itdb::Track &t) {
            return std::any_of(t.title.begin(), t.title.end(),
                               [=](QChar c) { return c.unicode() >= low && c.unicode() <= high; });
        });
    };
    EXPECT_TRUE(titleHas(0x3040, 0x30FF));  // Japanese kana
    EXPECT_TRUE(titleHas(0x0400, 0x04FF));  // Cyrillic
    EXPECT_TRUE(titleHas(0x0370, 0x03FF));  // Greek
    EXPECT_TRUE(titleHas(0x0600, 0x06FF));  // Arabic
    EXPECT_TRUE(any([](const itdb::Track &t) { return t.album.isNull(); }));
    EXPECT_TRUE(any([](const itdb::Track &t) { return t.genre.isNull(); }));
    EXPECT_TRUE(any([](const itdb::Track &t) { return t.title.size() > 150; }));
    EXPECT_TRUE(any([](const itdb::Track &t) { return t.trackNumber > 9; }));
    EXPECT_TRUE(any([](const itdb::Track &t) { return t.lengthMs == 0; }));
    EXPECT_TRUE(any([](const itdb::Track &t) { return t.lengthMs > 3'600'000; }));
    EXPECT_TRUE(any([](const itdb::Track &t) { return t.utf8; }));
    EXPECT_TRUE(any([&list](const itdb::Track &t) { return t.order != list.front().order; }));
}

TEST_F(SamplePlayerTest, EverySongFileExistsUnderAnUpperCaseNameAndIsAWave)
{
    QSet<QString> seen;
    for (const itdb::Track &t : sampleplayer::tracks()) {
        QString location = t.location;
        location.replace(QLatin1Char(':'), QLatin1Char('\\'));
        const QString name = location.section(QLatin1Char('\\'), -1);
        EXPECT_EQ(name, name.toUpper());
        EXPECT_FALSE(seen.contains(location)) << qPrintable(location);
        seen.insert(location);

        QFile song(playerPath(root(), location));
        ASSERT_TRUE(song.open(QIODevice::ReadOnly)) << qPrintable(song.fileName());
        const QByteArray bytes = song.readAll();
        ASSERT_GT(bytes.size(), 44);
        EXPECT_TRUE(bytes.startsWith("RIFF"));
        EXPECT_EQ(bytes.mid(8, 8), QByteArray("WAVEfmt "));
        EXPECT_EQ(bytes.mid(36, 4), QByteArray("data"));
        EXPECT_EQ(itdb::getU32(bytes, 40), static_cast<std::uint32_t>(bytes.size() - 44));
        EXPECT_EQ(itdb::getU32(bytes, 4), static_cast<std::uint32_t>(bytes.size() - 8));
    }
}

TEST_F(SamplePlayerTest, DescriptionFilesAndPhotos)
{
    // sysinfo ends its lines in LF only, so a text read sees one line holding them all.
    const std::optional<QString> sysinfo =
        TextFile::readFirstLine(playerPath(root(), QStringLiteral("\\iPod_Control\\device\\sysinfo")));
    ASSERT_TRUE(sysinfo.has_value());
    EXPECT_GE(sysinfo->count(QLatin1Char('\n')), 3);

    const std::optional<QString> deviceInfo =
        TextFile::readFirstLine(playerPath(root(), QStringLiteral("\\iPod_Control\\iTunes\\DeviceInfo")));
    ASSERT_TRUE(deviceInfo.has_value());
    const qsizetype tab = deviceInfo->indexOf(QLatin1Char('\t'));
    ASSERT_GT(tab, 1);
    EXPECT_EQ(deviceInfo->mid(1, tab - 1), QStringLiteral("Quillory Sample"));

    const QStringList photos = QDir(root() + QStringLiteral("/photos")).entryList(QDir::Files);
    int jpegs = 0, bitmaps = 0;
    for (const QString &name : photos) {
        QImageReader reader(root() + QStringLiteral("/photos/") + name);
        const QByteArray format = reader.format();
        EXPECT_FALSE(reader.read().isNull()) << qPrintable(name);
        jpegs += format == "jpeg";
        bitmaps += format == "bmp";
    }
    EXPECT_GE(jpegs, 2);
    EXPECT_GE(bitmaps, 2);
}

}  // namespace

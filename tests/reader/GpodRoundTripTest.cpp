#include "ReaderTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Song
{
    QString title, artist, album, genre, fileType, location;
    std::uint32_t lengthMs;
    std::uint32_t trackNumber;
};

// Has libgpod write a database of the songs and returns its bytes.
QByteArray writeWithGpod(const std::vector<Song> &songs)
{
    QByteArray tsv;
    for (const Song &s : songs) {
        const QStringList fields = {s.title, s.artist, s.album, s.genre, s.fileType, s.location,
                                    QString::number(s.lengthMs), QString::number(s.trackNumber)};
        tsv += fields.join(u'\t').toUtf8() + '\n';
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("iTunesDB"));
    QProcess writer;
    writer.start(QStringLiteral(QUILLORY_GPODWRITER), {path});
    writer.write(tsv);
    writer.closeWriteChannel();
    if (!writer.waitForFinished(60000) || writer.exitCode() != 0) {
        ADD_FAILURE() << writer.readAllStandardError().toStdString();
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GpodDatabase, EveryFieldComesBack)
{
    const std::vector<Song> songs = {
        {QStringLiteral("Jóga: live"), QStringLiteral("Björk"), QStringLiteral("Homogenic"), QStringLiteral("Pop"),
         QStringLiteral("MPEG audio file"), QStringLiteral(":iPod_Control:Music:F00:ABCD.mp3"), 245123, 7},
        {QStringLiteral("終わりへ向かう始まりの歌"), QStringLiteral("supercell"), QStringLiteral("Today Is A Beautiful Day"),
         QStringLiteral("J-Pop"), QStringLiteral("AAC 音訊檔"), QStringLiteral(":iPod_Control:Music:F01:IQZL.m4a"), 129500, 0},
        {QStringLiteral("Ten hours"), QStringLiteral("Drone"), QStringLiteral("Long"), QStringLiteral("Ambient"),
         QStringLiteral("WAV audio file"), QStringLiteral(":iPod_Control:Music:F49:LONG.wav"), 36000000, 40000},
    };
    const QByteArray bytes = writeWithGpod(songs);
    ASSERT_FALSE(bytes.isEmpty());

    iPod pod;
    ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
    ASSERT_EQ(pod.songsstored(), 3);
    const QString expectedLengths[] = {QStringLiteral("4:05"), QStringLiteral("2:10"), QStringLiteral("600:00")};
    for (std::size_t i = 0; i < songs.size(); ++i) {
        SCOPED_TRACE(i);
        const songinfo &read = pod.songs()[i];
        const Song &written = songs[i];
        EXPECT_EQ(read.title, written.title);
        EXPECT_EQ(read.artist, written.artist);
        EXPECT_EQ(read.album, written.album);
        EXPECT_EQ(read.genre, written.genre);
        EXPECT_EQ(read.filetype, written.fileType);
        EXPECT_EQ(read.file, QString(written.location).replace(u':', u'\\'));
        EXPECT_EQ(read.length, expectedLengths[i]);
        EXPECT_EQ(read.tracknumber, written.trackNumber);

        // Eight lines for a numbered track, seven without a number.
        const SongList &list = pod.songList();
        const auto index = static_cast<qsizetype>(i);
        EXPECT_EQ(list.trackEnd(index) - list.trackStart(index), written.trackNumber != 0 ? 8 : 7);
    }
    expectWholeTracks(pod);
}

}  // namespace

#include "ReaderTestSupport.h"

#include "../common/TestStrings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Has libgpod write a database of songs given as tab-separated lines (title,
// artist, album, genre, file type, location, length in ms, track number).
QByteArray writeWithGpod(const QStringList &songs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("iTunesDB"));
    QProcess writer;
    writer.start(QStringLiteral(QUILLORY_GPODWRITER), {path});
    writer.write(songs.join(u'\n').toUtf8() + '\n');
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
    const QStringList songs = {
        QStringLiteral("Jóga: live\tBjörk\tHomogenic\tPop\tMPEG audio file\t:iPod_Control:Music:F00:ABCD.mp3\t245123\t7"),
        QStringLiteral("終わりへ向かう始まりの歌\tsupercell\tToday Is A Beautiful Day\tJ-Pop\tAAC 音訊檔\t"
                       ":iPod_Control:Music:F01:IQZL.m4a\t129500\t0"),
        QStringLiteral("Ten hours\tDrone\tLong\tAmbient\tWAV audio file\t:iPod_Control:Music:F49:LONG.wav\t36000000\t40000"),
    };
    const QStringList lengths = texts(u"4:05|2:10|600:00");
    const QByteArray bytes = writeWithGpod(songs);
    ASSERT_FALSE(bytes.isEmpty());

    iPod pod;
    ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
    ASSERT_EQ(pod.songsstored(), 3);
    for (int i = 0; i < 3; ++i) {
        const songinfo &read = pod.songs()[static_cast<std::size_t>(i)];
        const QStringList written = songs[i].split(u'\t');
        EXPECT_EQ((QStringList{read.title, read.artist, read.album, read.genre, read.filetype, read.file, read.length,
                               QString::number(read.tracknumber)}),
                  written.mid(0, 5) + (QStringList{QString(written[5]).replace(u':', u'\\'), lengths[i], written[7]}));
        // Eight lines for a numbered track, seven without a number.
        EXPECT_EQ(pod.songList().trackEnd(i) - pod.songList().trackStart(i), read.tracknumber != 0 ? 8 : 7);
    }
    expectWholeTracks(pod);
}

}  // namespace

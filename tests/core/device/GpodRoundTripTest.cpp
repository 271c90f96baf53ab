#include "ReaderTestSupport.h"

#include "TestStrings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef QUILLORY_GPODWRITER
namespace {

// libgpod writes a database of songs given as tab-separated lines (title,
// artist, album, genre, file type, location, length in ms, track number), and
// every field comes back, the length as the text after them.
TEST(GpodDatabase, EveryFieldComesBack)
{
    const QStringList songs = {
        QStringLiteral(
            "Jóga: live\tBjörk\tHomogenic\tPop\tMPEG audio file\t:iPod_Control:Music:F00:ABCD.mp3\t245123\t7\t4:05"),
        QStringLiteral("終わりへ向かう始まりの歌\tsupercell\tToday Is A Beautiful Day\tJ-Pop\tAAC 音訊檔\t"
                       ":iPod_Control:Music:F01:IQZL.m4a\t129500\t0\t2:10"),
        QStringLiteral("Ten hours\tDrone\tLong\tAmbient\tWAV audio "
                       "file\t:iPod_Control:Music:F49:LONG.wav\t36000000\t40000\t600:00"),
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("iTunesDB"));
    QProcess writer;
    writer.start(QStringLiteral(QUILLORY_GPODWRITER), {path});
    for (const QString &song : songs)
        writer.write(song.section(u'\t', 0, 7).toUtf8() + '\n');
    writer.closeWriteChannel();
    ASSERT_TRUE(writer.waitForFinished(60000) && writer.exitCode() == 0) << writer.readAllStandardError().toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));

    iPod pod;
    ASSERT_EQ(pod.readDatabase(file.readAll()), iPod::ReadOutcome::Complete);
    ASSERT_EQ(pod.songsstored(), 3);
    for (int i = 0; i < 3; ++i) {
        const songinfo read = pod.song(i);
        QStringList written = songs[i].split(u'\t');
        written[5].replace(u':', u'\\');
        EXPECT_EQ((QStringList{read.title, read.artist, read.album, read.genre, read.filetype, read.file, read.length,
                               QString::number(read.tracknumber)}),
                  written.mid(0, 6) << written[8] << written[7]);
    }
    expectWholeTracks(pod);
}

}  // namespace
#endif
